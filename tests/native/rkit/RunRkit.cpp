// fork, exec and three files: the program's streams kept apart.
#include "RunRkit.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/VPrinterProcess.h"

namespace rkittest {

Outcome RunRkit(const std::vector<std::string>& arguments, const std::string& input, int timeoutSeconds) {
  const std::string dir = testsupport::MakeTempDir();
  std::ofstream(dir + "/in", std::ios::binary) << input;
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open((dir + "/in").c_str(), O_RDONLY);
    const int out = open((dir + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open((dir + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(RKIT_BINARY)};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(RKIT_BINARY, argv.data());
    _exit(127);
  }
  Outcome outcome;
  int status = 0;
  for (int waited = 0; waited < timeoutSeconds * 100; ++waited) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    usleep(10000);
  }
  if (outcome.status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  outcome.out = testsupport::ReadFile(dir + "/out");
  outcome.err = testsupport::ReadFile(dir + "/err");
  return outcome;
}

std::string HexLines(const std::vector<std::string>& buffers) {
  std::string text;
  for (const std::string& buffer : buffers) {
    for (size_t i = 0; i < buffer.size(); ++i) {
      char digits[4];
      std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(buffer[i]));
      text += (i ? " " : "") + std::string(digits);
    }
    text += "\n";
  }
  return text;
}

}  // namespace rkittest
