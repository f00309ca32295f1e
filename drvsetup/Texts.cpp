// The installer's messages that depend on the language or the Windows choice.
#include "drvsetup/Texts.h"

namespace drvsetup {

std::string_view CopyFailedMessage(int windowsChoice, bool chinese) {
  // From Vista on, a copy into the driver directory fails without elevation.
  if (windowsChoice >= 3) {
    return chinese ? "安装过程发生错误！\n请尝试<以管理员身份运行>安装文件。"
                   : "Malfunction !\nPls try using <Run as administrator>open this App";
  }
  return chinese ? "安装过程发生错误！" : "Malfunction !";
}

std::string_view DriverFailedMessage(bool chinese) {
  return chinese ? "安装打印机驱动过程发生错误！" : "Install printer driver failed !";
}

std::string StartFailedMessage(std::string_view program, bool chinese) {
  return chinese ? "无法启动 " + std::string(program) + "！" : "Can not start " + std::string(program) + " !";
}

std::string_view DefaultFailedMessage(bool chinese) {
  return chinese ? "无法设为默认打印机！" : "Set Default Printer failed !";
}

}  // namespace drvsetup
