// The message table: every link message exact in both languages, and Fill.
#include "prtbench/base/Messages.h"

#include <gtest/gtest.h>

namespace {

using prtbench::Fill;
using prtbench::MessageText;
using prtbench::Msg;

struct Expected {
  Msg id;
  const char* english;
  const char* chinese;
};

const Expected kExpected[] = {
    {Msg::ComSetGroup, "ComSet:", "串口设置:"},
    {Msg::ByteSizeLabel, "ByteSize:", "数据位:"},
    {Msg::ParityLabel, "Parity:", "奇偶校验:"},
    {Msg::StopBitsLabel, "StopBits:", "停止位:"},
    {Msg::NetSetGroup, "NetSet:", "网口设置:"},
    {Msg::TimeOutLabel, "TimeOut:", "连接超时:"},
    {Msg::TimeOutHint,
     "(Sure the printer is properly connected but the connection fails,you can try to increase the timeout, the "
     "default timeout 1s)",
     "当确认打印机已正确连接却连接失败时,可尝试加大超时,程序默认超时1s"},
    {Msg::MonitorIpLabel, "MonitorIP:", "监控IP:"},
    {Msg::DefaultIpCheck, "Default IP:", "默认IP:"},
    {Msg::OkButton, "OK", "确定"},
    {Msg::CancelButton, "Cancel", "取消"},
    {Msg::LptInvalid, " is invalid,Please re-select the parallel port!", "无效,请重新选择并口!"},
    {Msg::ComInvalid, " is invalid,Please re-select the serial port!", "无效,请重新选择COM口!"},
    {Msg::UsbOpenFailed, "USB：Failed to open and re-plug the USB or power-on!", "USB：打开失败!请重新插拔USB或上电!"},
    {Msg::NetConnected, "Network connection successfully!", "网口:连接成功!"},
    {Msg::NetConnectFailed,
     "Network connection failed! If to confirm the current printer IP is correct, the cable interface connected, and "
     "restart the printer after the connection fails, you can try to increase timeout",
     "NET:连接失败!,如果确认当前打印机IP正确、网线接口等连接完好,且重启打印机后仍然连接失败，可尝试加大超时!"},
    {Msg::LptSendOk, " send data successfully!", "发送数据成功!"},
    {Msg::LptSendFailed, " send data failed!,please detect connection!", "数据发送失败!请检测连接是否无误！"},
    {Msg::ComSendOk, " has been sent the data,if the printer is no action,please detect connection!",
     "数据已发送!如打印机未动作,请检测连接是否无误！"},
    {Msg::ComSendFailed, " send data failed!", "发送数据失败！"},
    {Msg::UsbSendOk, "USB：send data successfully!", "USB：发送数据成功!"},
    {Msg::UsbSendFailed, "USB：send data failed!", "USB：发送数据失败!"},
    {Msg::NetSendFailed, "Network send data failed", "NET:发送数据失败"},
    {Msg::NetSendOk, "Network send data successfully", "NET:发送数据成功!"},
    {Msg::CountsLine, " current sended:%d bytes,total sended:%d bytes ", " 本次发送发送数据:%d字节,总计发送数据:%d字节 "},
    {Msg::PortTypeInvalid, "Port type %d in Printer.ini is invalid,Please re-select the port!",
     "Printer.ini中的端口类型%d无效,请重新选择端口!"},
    {Msg::ComLineRefused,
     " refused the serial settings (byte size, parity, stop bits or baud rate),please change them in Com Settings!",
     "拒绝了串口设置(数据位、奇偶校验、停止位或波特率),请在端口设置中修改!"},
    {Msg::ConnectTestOk, "Connection successful", "连接成功"},
    {Msg::ConnectTestFailed, "Connection fails", "连接失败"},
};

TEST(Messages, EveryLinkMessageIsExactInBothLanguages) {
  for (const Expected& e : kExpected) {
    EXPECT_EQ(MessageText(e.id, prtbench::Language::English), e.english) << static_cast<int>(e.id);
    EXPECT_EQ(MessageText(e.id, prtbench::Language::Chinese), e.chinese) << static_cast<int>(e.id);
  }
}

TEST(Messages, FullWidthPunctuationIsTheFullWidthCharacter) {
  // "USB" then U+FF1A FULLWIDTH COLON; "失败" then U+FF01 FULLWIDTH EXCLAMATION MARK
  EXPECT_EQ(MessageText(Msg::UsbSendOk, prtbench::Language::English).substr(0, 6), "USB\xEF\xBC\x9A");
  EXPECT_EQ(MessageText(Msg::ComSendFailed, prtbench::Language::Chinese).substr(18), "\xEF\xBC\x81");
  // the English texts stay ASCII after the colon
  EXPECT_EQ(MessageText(Msg::NetSendOk, prtbench::Language::English).find('\xEF'), std::string_view::npos);
}

TEST(Messages, FillReplacesPlaceholdersInOrder) {
  EXPECT_EQ(Fill(MessageText(Msg::CountsLine, prtbench::Language::English), {"3", "10"}),
            " current sended:3 bytes,total sended:10 bytes ");
  EXPECT_EQ(Fill(MessageText(Msg::CountsLine, prtbench::Language::Chinese), {"3", "-7"}),
            " 本次发送发送数据:3字节,总计发送数据:-7字节 ");
  EXPECT_EQ(Fill("BaudRate=%d on %s", {"9600", "COM1"}), "BaudRate=9600 on COM1");
}

TEST(Messages, FillLeavesPlaceholdersBeyondTheValues) {
  EXPECT_EQ(Fill("%d and %d", {"1"}), "1 and %d");
  EXPECT_EQ(Fill("100%", {"1"}), "100%");
  EXPECT_EQ(Fill("%x %d", {"5"}), "%x 5");
}

}  // namespace
