// The main window's file commands, files and shortcuts dropped on the content
// box, and Ctrl+A through the window's own message loop.
#include <objbase.h>
#include <shlobj.h>

#include <fstream>

#include "MainWindowFixture.h"
#include "winui/Utf.h"

namespace consoletest {
namespace {

class FilesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    dir_ = winui::Narrow(temp) + "prtbench-files-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
    ASSERT_TRUE(CreateDirectoryW(winui::Widen(dir_).c_str(), nullptr));
    Open();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    for (const char* name : {"a.txt", "b.txt", "link.lnk", "saved.txt"}) DeleteFileW(winui::Widen(Path(name)).c_str());
    RemoveDirectoryW(winui::Widen(dir_ + "\\folder").c_str());
    RemoveDirectoryW(winui::Widen(dir_).c_str());
  }

  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }
  void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string ReadBytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& path) const {
    return GetFileAttributesW(winui::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string MenuText(int id) const {
    wchar_t text[512] = {};
    GetMenuStringW(GetMenu(main_), id, text, 512, MF_BYCOMMAND);
    return winui::Narrow(text);
  }
  // Drops `path` on the content box as the shell would.
  void Drop(const std::string& path) {
    const std::wstring wide = winui::Widen(path);
    const size_t bytes = sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wcscpy(reinterpret_cast<wchar_t*>(drop + 1), wide.c_str());
    GlobalUnlock(memory);
    SendMessageW(GetDlgItem(main_, IDC_MAIN_CONTENT), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  }
  // A shell shortcut at `link` that leads to `target`.
  bool MakeShortcut(const std::string& link, const std::string& target) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    bool made = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&shell))) &&
                SUCCEEDED(shell->SetPath(winui::Widen(target).c_str())) &&
                SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                SUCCEEDED(file->Save(winui::Widen(link).c_str(), TRUE));
    if (file) file->Release();
    if (shell) shell->Release();
    CoUninitialize();
    return made;
  }

  std::string dir_;
};

TEST_F(FilesTest, OpenShowsTheFileUpToItsFirstZeroAndNamesItInTheMenu) {
  WriteBytes(Path("a.txt"), std::string("AB\r\nCD\0EF", 9));
  prompts_.AnswerFile(Path("a.txt"));
  SetText(IDC_MAIN_REPEAT, "7");
  Command(IDM_FILE_OPEN);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "AB\r\nCD");
  EXPECT_EQ(Text(IDC_MAIN_REPEAT), "7");
  const auto open = prompts_.records().back();
  EXPECT_EQ(open.kind, "open");
  EXPECT_EQ(open.text, "打开文件");
  EXPECT_EQ(open.options.filters, (std::vector<std::pair<std::string, std::string>>{
                                      {"Text Files(*.txt)", "*.txt"}, {"All Files(*.*)", "*.*"}}));
  EXPECT_EQ(MenuText(IDM_FILE_SAVE), "Save (" + Path("a.txt") + ")");
  EXPECT_EQ(MenuText(IDM_FILE_CLOSE), "Close (" + Path("a.txt") + ")");
  Command(IDM_LANGUAGE_CHINESE);  // the new menu names the file too
  EXPECT_EQ(MenuText(IDM_FILE_SAVE), "保存 (" + Path("a.txt") + ")");
}

TEST_F(FilesTest, SaveWritesTheCurrentFileAndAsksOnlyWithoutOne) {
  SetText(IDC_MAIN_CONTENT, "first");
  prompts_.AnswerFile(std::nullopt);
  Command(IDM_FILE_SAVE);  // cancelled: nothing written
  ASSERT_EQ(prompts_.records().size(), 1u);
  EXPECT_EQ(prompts_.records()[0].text, "保存");
  EXPECT_EQ(prompts_.records()[0].options.defaultExtension, "txt");

  prompts_.AnswerFile(Path("saved.txt"));
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(ReadBytes(Path("saved.txt")), "first");
  // a path chosen by Save is no current file: the next Save asks again
  prompts_.AnswerFile(std::nullopt);
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(prompts_.records().size(), 3u);

  WriteBytes(Path("a.txt"), "old text that is longer");
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
  SetText(IDC_MAIN_CONTENT, "new\r\ncafé");
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(prompts_.records().size(), 4u);  // no dialog this time
  prompts_.AnswerFile(std::nullopt);
  Command(IDM_FILE_OPEN);
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "new\r\ncafé");
  EXPECT_EQ(ReadBytes(Path("a.txt")).size(), 9u);  // one byte for é, no zero
}

TEST_F(FilesTest, SaveAsAlwaysAsksAndLeavesTheCurrentFile) {
  WriteBytes(Path("a.txt"), "A");
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
  SetText(IDC_MAIN_CONTENT, "B");
  prompts_.AnswerFile(Path("b.txt"));
  Command(IDM_FILE_SAVE_AS);
  EXPECT_EQ(prompts_.records().back().text, "另存为");
  EXPECT_EQ(ReadBytes(Path("b.txt")), "B");
  EXPECT_EQ(ReadBytes(Path("a.txt")), "A");
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(ReadBytes(Path("a.txt")), "B");
}

TEST_F(FilesTest, CloseForgetsTheFileAndNewOnlyEmptiesTheBox) {
  SetText(IDC_MAIN_CONTENT, "kept");
  Command(IDM_FILE_CLOSE);  // no current file: nothing happens
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "kept");
  WriteBytes(Path("a.txt"), "A");
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
  Command(IDM_FILE_NEW);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "");
  EXPECT_EQ(MenuText(IDM_FILE_CLOSE), "Close (" + Path("a.txt") + ")");
  SetText(IDC_MAIN_CONTENT, "x");
  Command(IDM_FILE_CLOSE);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "");
  EXPECT_EQ(MenuText(IDM_FILE_SAVE), "Save(&S)\tCtrl+S");
  EXPECT_EQ(MenuText(IDM_FILE_CLOSE), "Close");
  prompts_.AnswerFile(std::nullopt);
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(prompts_.records().back().kind, "save");
}

TEST_F(FilesTest, FilesThatCannotBeReadOrWrittenAreReported) {
  SetText(IDC_MAIN_CONTENT, "kept");
  prompts_.AnswerFile(Path("missing.txt"));
  Command(IDM_FILE_OPEN);
  prompts_.AnswerFile(Path("folder\\none.txt"));
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"Cannot read the file " + Path("missing.txt") + "!",
                                                           "Cannot write the file " + Path("folder\\none.txt") + "!"}));
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "kept");
  EXPECT_EQ(MenuText(IDM_FILE_SAVE), "Save(&S)\tCtrl+S");
}

TEST_F(FilesTest, DroppedFilesAndShortcutsLoadFoldersAndMissingPathsDoNot) {
  WriteBytes(Path("a.txt"), "dropped text");
  WriteBytes(Path("b.txt"), "shortcut target");
  ASSERT_TRUE(MakeShortcut(Path("link.lnk"), Path("b.txt")));
  ASSERT_TRUE(CreateDirectoryW(winui::Widen(Path("folder")).c_str(), nullptr));
  struct Row {
    std::string dropped;
    std::string content;
    std::string current;
  };
  const Row rows[] = {
      {Path("a.txt"), "dropped text", Path("a.txt")},
      {Path("link.lnk"), "shortcut target", Path("b.txt")},
      {Path("folder"), "shortcut target", Path("b.txt")},
      {Path("nothing.txt"), "shortcut target", Path("b.txt")},
  };
  for (const Row& row : rows) {
    Drop(row.dropped);
    EXPECT_EQ(Text(IDC_MAIN_CONTENT), row.content) << row.dropped;
    EXPECT_EQ(MenuText(IDM_FILE_CLOSE), "Close (" + row.current + ")") << row.dropped;
  }
  // the dropped file is the current one: Save writes it
  SetText(IDC_MAIN_CONTENT, "changed");
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(ReadBytes(Path("b.txt")), "changed");
  EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(FilesTest, ContentBoxAcceptsFiles) {
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(main_, IDC_MAIN_CONTENT), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

// Ctrl+A, with the window run modally: inside its loop the key goes to the
// content box, then a thread timer reads the selection and ends the window.
struct SelectAllRun {
  HWND window = nullptr;
  DWORD start = 1, end = 1;
};
SelectAllRun g_run;

void SetControlKey(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

void CALLBACK ReadSelectionAndExit(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SetControlKey(false);
  SendDlgItemMessageW(g_run.window, IDC_MAIN_CONTENT, EM_GETSEL, reinterpret_cast<WPARAM>(&g_run.start),
                      reinterpret_cast<LPARAM>(&g_run.end));
  PostMessageW(g_run.window, WM_COMMAND, IDM_FILE_EXIT, 0);
}

TEST_F(MainWindowTest, CtrlASelectsTheWholeContentThroughTheMessageLoop) {
  prtbench::CKALDRODlg window(Services());
  g_run = {};
  testsupport::WhenModal([](HWND main) {
    g_run.window = main;
    HWND content = GetDlgItem(main, IDC_MAIN_CONTENT);
    SetWindowTextW(content, L"select\r\nall of this");
    SendMessageW(content, EM_SETSEL, 0, 0);
    SetControlKey(true);
    PostMessageW(content, WM_KEYDOWN, 'A', 1);
    // a timer comes only once the posted key is through the loop
    SetTimer(nullptr, 0, 20, ReadSelectionAndExit);
  });
  window.DoModal(nullptr);
  EXPECT_EQ(g_run.start, 0u);
  EXPECT_EQ(g_run.end, 19u);
}

}  // namespace
}  // namespace consoletest
