// Texts of the main window in English and Chinese.
#include "prtbench/console/Labels.h"

#include <array>

#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

constexpr std::array<ControlLabel, 32> kLabels = {{
    {IDC_MAIN_PORT_GROUP, "Port Select", "通讯端口选择"},
    {IDC_MAIN_PORT_LPT, "LPT", "并口"},
    {IDC_MAIN_PORT_COM, "COM", "串口"},
    {IDC_MAIN_PORT_NET, "NET", "网口"},
    {IDC_MAIN_LPT_GROUP, "LPT Settings", "并口设置"},
    {IDC_MAIN_COM_GROUP, "COM Settings", "串口设置"},
    {IDC_MAIN_PRINTER_GROUP, "Printer Type", "打印机选择"},
    {IDC_MAIN_NET_GROUP, "NET Set", "网口设置"},
    {IDC_MAIN_LOCAL_IP_LABEL, "Local IP:", "本机IP:"},
    {IDC_MAIN_PRINTER_IP_LABEL, "Printer IP:", "打印机IP:"},
    {IDC_MAIN_NEW_IP_LABEL, "New IP:", "新的IP地址:"},
    {IDC_MAIN_NEW_ID_LABEL, "New ID:", "新的ID:"},
    {IDC_MAIN_REFRESH, "Refresh", "刷新"},
    {IDC_MAIN_CONNECT, "Connect", "连接测试"},
    {IDC_MAIN_SET_IP, "Set New IP", "设置IP"},
    {IDC_MAIN_SET_ID, "New ID", "设置ID"},
    {IDC_MAIN_NET_MONITOR, "NetMonitor", "网络监控"},
    {IDC_MAIN_AUTO_IP, "Auto Set Ip", "自动设置IP"},
    {IDC_MAIN_ID_HINT, "(Set last four ID)", "(设置ID后四位)"},
    {IDC_MAIN_CONTENT_LABEL, "Content:", "打印内容:"},
    {IDC_MAIN_REPEAT_LABEL, "Rep:", "次数:"},
    {IDC_MAIN_CLEAR, "Clear", "清空"},
    {IDC_MAIN_AUTO_SEND, "AutoSend", "自动发送"},
    {IDC_MAIN_PERIOD_LABEL, "Cyc", "周期"},
    {IDC_MAIN_CUT_PAPER_SWITCH, "CutPaper", "切纸"},
    {IDC_MAIN_PRINT, "Print", "打印"},
    {IDC_MAIN_CUT, "Cut Paper", "切纸"},
    {IDC_MAIN_DRAWER, "Open cash drawer", "开钱箱"},
    {IDC_MAIN_SELF_TEST, "Traditional", "繁体测试"},
    {IDC_MAIN_ADVANCED, "Advanced", "高级"},
    {IDC_MAIN_FIRMWARE, "Driver Print", "驱动打印"},
    {IDC_MAIN_TITLE, "POS Printer Tool V3.2", "POS打印机测试工具 V3.2"},
}};

}  // namespace

std::span<const ControlLabel> MainWindowLabels() { return kLabels; }

std::string_view LabelText(const ControlLabel& label, Language language) {
  return language == Language::Chinese ? label.chinese : label.english;
}

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
