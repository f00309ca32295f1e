// The code page table, in the order the printer's firmware documents it.
#include "prtbench/config/CodePages.h"

#include <array>

namespace prtbench {
namespace {

constexpr std::array<CodePageEntry, 70> kTable{{
    {0, "PC437(Europe)"},    {1, "(katakana)"},        {2, "PC850(Multi)"},      {3, "PC860(PT)"},
    {4, "PC863(CA)"},        {5, "PC865(Nordic)"},     {6, "(West Europe)"},     {7, "(Greek)"},
    {8, "(Hebrew)"},         {9, "(East Europe)"},     {10, "(Iran)"},           {16, "(WPC1252)"},
    {17, "PC866(Cyri - 2)"}, {18, "PC852 - Latin2"},   {19, "(PC858)"},          {20, "(IranII)"},
    {21, "(Latvian)"},       {22, "(Arabic)"},         {23, "(PT1511251)"},      {24, "(PC747)"},
    {25, "(WPC1257)"},       {27, "(Vietnam)"},        {28, "(PC864)"},          {29, "(PC1001)"},
    {30, "(Uigur)"},         {31, "(Hebrew)"},         {32, "WPC1255(IL)"},      {33, "WPC1256"},
    {255, "(Thai)"},         {50, "PC437(Europe)"},    {51, "(Katakana)"},       {52, "PC437(Europe)"},
    {53, "PC858(Multi)"},    {54, "PC852(Latin2)"},    {55, "PC860(PT)"},        {56, "PC861(IS)"},
    {57, "PC863(CA)"},       {58, "PC865(Nordic)"},    {59, "PC866(RU)"},        {60, "PC855(BGL)"},
    {61, "PC857(TR)"},       {62, "PC862(Hebrew)"},    {63, "PC864 - Arabic"},   {64, "PC737(Greek)"},
    {65, "PC851(Greek)"},    {66, "PC869(Greek)"},     {67, "PC928(Greek)"},     {68, "PC772(LTU)"},
    {69, "PC774(LT)"},       {70, "PC874(Thai)"},      {71, "WPC1252(LT1)"},     {72, "WPC1250(Lati2)"},
    {73, "WPC1251(CY)"},     {74, "PC3840(IBM - Ru)"}, {75, "PC3841(Gost)"},     {76, "PC3843(Polish)"},
    {77, "PC3844(CS2)"},     {78, "PC3845(HU)"},       {79, "3846(TR)"},         {80, "PC3847(B - ABNT)"},
    {81, "PC3848(BR)"},      {82, "PC1001(Arabic)"},   {83, "PC2001(LT)"},       {84, "PC3001(EE - 1)"},
    {85, "PC3002(EE - 2)"},  {86, "PC3011(LV - 1)"},   {87, "PC3012(LV - 2)"},   {88, "PC3021(BG)"},
    {89, "PC3041(MT)"},      {89, "PC3041(MT)"},
}};

}  // namespace

std::span<const CodePageEntry> CodePageTable() { return kTable; }

}  // namespace prtbench
