// Texts of the main window in English and Chinese.
#include "prtbench/console/Labels.h"

#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

constexpr Label kLabels[] = {
    {IDC_MAIN_PORT_GROUP, Msg::LabelPortGroup},
    {IDC_MAIN_PORT_LPT, Msg::LabelPortLpt},
    {IDC_MAIN_PORT_COM, Msg::LabelPortCom},
    {IDC_MAIN_PORT_NET, Msg::LabelPortNet},
    {IDC_MAIN_LPT_GROUP, Msg::LabelLptGroup},
    {IDC_MAIN_COM_GROUP, Msg::LabelComGroup},
    {IDC_MAIN_PRINTER_GROUP, Msg::LabelPrinterGroup},
    {IDC_MAIN_NET_GROUP, Msg::LabelNetGroup},
    {IDC_MAIN_LOCAL_IP_LABEL, Msg::LabelLocalIp},
    {IDC_MAIN_PRINTER_IP_LABEL, Msg::LabelPrinterIp},
    {IDC_MAIN_NEW_IP_LABEL, Msg::LabelNewIp},
    {IDC_MAIN_NEW_ID_LABEL, Msg::LabelNewId},
    {IDC_MAIN_REFRESH, Msg::LabelRefresh},
    {IDC_MAIN_CONNECT, Msg::LabelConnect},
    {IDC_MAIN_SET_IP, Msg::LabelSetIp},
    {IDC_MAIN_SET_ID, Msg::LabelSetId},
    {IDC_MAIN_NET_MONITOR, Msg::LabelNetMonitor},
    {IDC_MAIN_AUTO_IP, Msg::LabelAutoIp},
    {IDC_MAIN_ID_HINT, Msg::LabelIdHint},
    {IDC_MAIN_CONTENT_LABEL, Msg::LabelContent},
    {IDC_MAIN_REPEAT_LABEL, Msg::LabelRepeat},
    {IDC_MAIN_CLEAR, Msg::LabelClear},
    {IDC_MAIN_AUTO_SEND, Msg::LabelAutoSend},
    {IDC_MAIN_PERIOD_LABEL, Msg::LabelPeriod},
    {IDC_MAIN_CUT_PAPER_SWITCH, Msg::LabelCutPaperSwitch},
    {IDC_MAIN_PRINT, Msg::LabelPrint},
    {IDC_MAIN_CUT, Msg::LabelCut},
    {IDC_MAIN_DRAWER, Msg::LabelDrawer},
    {IDC_MAIN_SELF_TEST, Msg::LabelSelfTest},
    {IDC_MAIN_ADVANCED, Msg::LabelAdvanced},
    {IDC_MAIN_FIRMWARE, Msg::LabelFirmware},
    {IDC_MAIN_TITLE, Msg::LabelTitle},
};

}  // namespace

std::span<const Label> MainWindowLabels() { return kLabels; }

std::string_view TemplateGreeting() {
  return "Bem-vindo à Corvane: obrigado por escolher as impressoras de recibos Corvane!\r\n";
}

std::string_view Greeting(Language language) {
  return language == Language::Chinese
             ? "欢迎使用专业POS票据打印机公司生产的针打，热敏系列打印机!\r\n"
             : "Welcome to use the impact and thermal printer manufactured by professional POS receipt printer "
               "company!\r\n";
}

}  // namespace prtbench
