// The main window's file commands, files and shortcuts dropped on the content
// box, and Ctrl+A through the window's own message loop.
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "MainWindowFixture.h"
#include "prtbench/console/win/TextFile.h"
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
  // Names of the files in `dir`, sorted.
  static std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(winui::Widen(dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(winui::Narrow(found.cFileName));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
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

TEST_F(FilesTest, OpenShowsTheFileAndNamesItInTheMenu) {
  WriteBytes(Path("a.txt"), "AB\r\nCD");
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

TEST_F(FilesTest, CloseForgetsTheFile) {
  SetText(IDC_MAIN_CONTENT, "kept");
  Command(IDM_FILE_CLOSE);  // no current file: nothing happens
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "kept");
  WriteBytes(Path("a.txt"), "A");
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
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

// New and a language command put other text in the box: Save must then ask
// for a path instead of overwriting the file opened before.
TEST_F(FilesTest, NewAndTheLanguageCommandsForgetTheOpenFile) {
  const int commands[] = {IDM_FILE_NEW, IDM_LANGUAGE_ENGLISH, IDM_LANGUAGE_CHINESE};
  for (int command : commands) {
    WriteBytes(Path("a.txt"), "mine");
    prompts_.AnswerFile(Path("a.txt"));
    Command(IDM_FILE_OPEN);
    Command(command);
    prompts_.AnswerFile(std::nullopt);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(prompts_.records().back().kind, "save") << command;
    EXPECT_EQ(ReadBytes(Path("a.txt")), "mine") << command;
  }
}

TEST_F(FilesTest, AFailedWriteLeavesTheFileWholeAndNoTemporaryBehind) {
  WriteBytes(Path("a.txt"), "the original text");
  const bool replaced = prtbench::ReplaceFileContents(Path("a.txt"), [](HANDLE file) {
    DWORD written = 0;
    WriteFile(file, "half", 4, &written, nullptr);
    return false;  // as a full disk would end it
  });
  EXPECT_FALSE(replaced);
  EXPECT_EQ(ReadBytes(Path("a.txt")), "the original text");
  EXPECT_EQ(FilesIn(dir_), std::vector<std::string>{"a.txt"});
  ASSERT_TRUE(prtbench::WriteWholeFile(Path("a.txt"), "new"));
  EXPECT_EQ(ReadBytes(Path("a.txt")), "new");
  EXPECT_EQ(FilesIn(dir_), std::vector<std::string>{"a.txt"});
}

TEST_F(FilesTest, UnicodeFilesOpenAndSaveInTheirEncodingAndZeroBytesAreRefused) {
  const std::string utf16 = std::string("\xFF\xFE" "a\0\xE7\0\x2D\x4E", 8);  // "aç中" with its mark
  WriteBytes(Path("a.txt"), utf16);
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "aç中");
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(ReadBytes(Path("a.txt")), utf16);

  WriteBytes(Path("b.txt"), std::string("AB\0CD", 5));
  prompts_.AnswerFile(Path("b.txt"));
  Command(IDM_FILE_OPEN);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "aç中");
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>{"The file " + Path("b.txt") +
                                                          " holds zero bytes and is no UTF-16 text: it was not "
                                                          "opened, so that Save cannot cut it short!"});
  EXPECT_EQ(MenuText(IDM_FILE_CLOSE), "Close (" + Path("a.txt") + ")");
}

TEST_F(FilesTest, ADroppedPathLongerThan255CharactersIsUsedWhole) {
  // over 255 characters, under MAX_PATH so every file call takes it
  const std::string name(258 - dir_.size() - 5, 'n');
  const std::string longPath = Path(name + ".txt");
  const std::string cut = longPath.substr(0, 255);  // what a 255-character buffer kept
  ASSERT_GT(longPath.size(), 255u);
  WriteBytes(longPath, "the long one");
  WriteBytes(cut, "another file");
  Drop(longPath);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "the long one");
  SetText(IDC_MAIN_CONTENT, "changed");
  Command(IDM_FILE_SAVE);
  EXPECT_EQ(ReadBytes(longPath), "changed");
  EXPECT_EQ(ReadBytes(cut), "another file");
  DeleteFileW(winui::Widen(longPath).c_str());
  DeleteFileW(winui::Widen(cut).c_str());
}

// Esc, the close box and File > Exit ask before unsaved edits of an opened
// file are lost: Yes saves and closes, No closes, Cancel stays.
TEST_F(FilesTest, ClosingWithUnsavedEditsOfAnOpenFileAsksFirst) {
  struct Row {
    const char* how;
    std::function<void()> close;
    winui::Answer answer;
    const char* file;
    bool closed;
  };
  const Row rows[] = {
      {"close box, cancel", [this] { SendMessageW(main_, WM_CLOSE, 0, 0); }, winui::Answer::Cancel, "old", false},
      {"escape, no", [this] { Command(IDCANCEL); }, winui::Answer::No, "old", true},
      {"exit, yes", [this] { Command(IDM_FILE_EXIT); }, winui::Answer::Yes, "edited", true},
  };
  for (const Row& row : rows) {
    if (!main_) Open();
    WriteBytes(Path("a.txt"), "old");
    prompts_.AnswerFile(Path("a.txt"));
    Command(IDM_FILE_OPEN);
    SetText(IDC_MAIN_CONTENT, "edited");
    prompts_.AnswerYesNoCancel(row.answer);
    row.close();
    EXPECT_EQ(prompts_.records().back().kind, "yesnocancel") << row.how;
    EXPECT_EQ(prompts_.records().back().text, "The text of " + Path("a.txt") + " has changed. Save it before closing?")
        << row.how;
    EXPECT_EQ(ReadBytes(Path("a.txt")), row.file) << row.how;
    EXPECT_EQ(IsWindow(main_) != FALSE, !row.closed) << row.how;
    if (row.closed) Close();
  }
}

TEST_F(FilesTest, ClosingWithoutEditsOrWithoutAFileAsksNothing) {
  SetText(IDC_MAIN_CONTENT, "throw-away text");
  SendMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main_));
  Close();
  Open();
  WriteBytes(Path("a.txt"), "old");
  prompts_.AnswerFile(Path("a.txt"));
  Command(IDM_FILE_OPEN);
  SendMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main_));
  for (const auto& record : prompts_.records()) EXPECT_NE(record.kind, "yesnocancel");
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
