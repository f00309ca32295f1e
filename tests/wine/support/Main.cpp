// GoogleTest main for the Windows tests: binary stdout, so ctest reads test
// names without the carriage returns of text mode.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <stdio.h>

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
