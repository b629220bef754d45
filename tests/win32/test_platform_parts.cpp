// The platform's parts that a test can see under Wine: making directories, the user's roaming
// folder, the shell, the window class's icon, and the walk up containers that
// the layer takes for every control.
#include <windows.h>
// windows.h first: the other system headers build on it.
#include <shellapi.h>

#include <stdexcept>

#include "platform/whole_file.h"
#include "platform/win32/names.h"
#include "platform/win32/win32_parts.h"
#include "platform/win32/window_classes.h"
#include "support.h"

namespace {

using platform::SystemName;
using platform::win32::WideFileName;
using platform::win32::Win32Files;

// A folder of the test's own, its name outside every code page.
SystemName TemporaryDirectory() {
  wchar_t path[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, path);
  return SystemName(platform::win32::NameOf(path).utf8() + "tavoria-win32-test Łukasz 李 😀 " +
                    std::to_string(GetCurrentProcessId()));
}

bool IsDirectory(const SystemName& path) {
  const DWORD attributes = GetFileAttributesW(WideFileName(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32Files, MakeDirectoryMakesItOnceAndRefusesWhatCannotBeOne) {
  Win32Files files;
  const SystemName dir = TemporaryDirectory();
  RemoveDirectoryW(WideFileName(dir).c_str());  // left by an earlier run that failed
  files.MakeDirectory(dir);
  EXPECT_TRUE(IsDirectory(dir));
  EXPECT_NO_THROW(files.MakeDirectory(dir)) << "there already: nothing to do";
  try {
    files.MakeDirectory(dir / "missing" / "child");
    ADD_FAILURE() << "a directory in a missing one";
  } catch (const util::Failure& f) {
    EXPECT_EQ(f.code(), util::codes::kPathNotFound);
  }
  // A file of that name is no directory.
  files.WriteNew(dir / "file", "x");
  EXPECT_THROW(files.MakeDirectory(dir / "file"), util::Failure);
  files.Remove(dir / "file");
  EXPECT_TRUE(RemoveDirectoryW(WideFileName(dir).c_str())) << "nothing left in it";
}

TEST(Win32Files, NamesOutsideTheCodePageAreWrittenHeldMovedAndReadWhole) {
  Win32Files files;
  const SystemName dir = TemporaryDirectory();
  files.MakeDirectory(dir);
  const SystemName written = dir / "upgrade 李.tup", moved = dir / "😀.sdf", placed = dir / "Ł.sdf";
  files.WriteNew(written, "tavoria\r\n");
  files.MoveReplacing(written, moved);
  EXPECT_EQ(platform::ReadFile(files, moved), "tavoria\r\n");
  EXPECT_EQ(GetFileAttributesW(WideFileName(written).c_str()), INVALID_FILE_ATTRIBUTES);
  {
    auto held = files.CreateHeld(dir, "Ł-", ".tmp");
    auto other = files.CreateHeld(dir, "Ł-", ".tmp");
    EXPECT_NE(held->Path(), other->Path());
    held->Write("tav");
    held->Write("oria 2\r\n");
    EXPECT_THROW(platform::ReadFile(files, held->Path()), util::Failure) << "no one else opens it";
    EXPECT_FALSE(MoveFileExW(WideFileName(held->Path()).c_str(), WideFileName(placed).c_str(), 0));
    held->PutInPlace(moved);
    EXPECT_THROW(platform::ReadFile(files, moved), util::Failure) << "held under its new name";
  }  // let go; the other, never put in place, is removed
  EXPECT_EQ(platform::ReadFile(files, moved), "tavoria 2\r\n");
  files.Remove(moved);
  EXPECT_TRUE(RemoveDirectoryW(WideFileName(dir).c_str())) << "nothing left in it";
}

TEST(Win32Library, SystemLibrariesComeFromTheSystemDirectoryOnly) {
  // The test driver's helper library lies beside this program, where a bare name once found it.
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring beside(program);
  beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"tavdriver_hook.dll";
  ASSERT_NE(GetFileAttributesW(beside.c_str()), INVALID_FILE_ATTRIBUTES);
  platform::win32::Library planted("tavdriver_hook.dll"), shell("shell32.dll");
  EXPECT_EQ(planted.Get<void*>("LayoutHook"), nullptr);
  EXPECT_FALSE(planted.Loaded());
  EXPECT_NE(shell.Get<void*>("ShellExecuteW"), nullptr);
}

TEST(Win32Files, TheRoamingFolderIsTheUsersOwnAndThere) {
  Win32Files files;
  const auto roaming = files.RoamingAppData();
  ASSERT_TRUE(roaming);
  EXPECT_TRUE(IsDirectory(*roaming)) << roaming->utf8();
  EXPECT_EQ(roaming->utf8().substr(1, 2), ":\\") << roaming->utf8();
  // The folder the system names for the user's roaming data, as it tells programs too.
  wchar_t named[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"APPDATA", named, MAX_PATH);
  EXPECT_EQ(*roaming, platform::win32::NameOf(named));
  EXPECT_EQ(files.RoamingAppData(), roaming) << "asked again, the same";
}

TEST(Win32Shell, TheShellIsAskedAndItsAnswerReturned) {
  platform::win32::Win32Shell shell;
  EXPECT_EQ(shell.Execute(0, "open", "C:\\no such folder\\no such file.txt", "", "", SW_SHOWNORMAL),
            SE_ERR_FNF);
}

struct WindowClassTest : win32_test::LayerTest {};

TEST_F(WindowClassTest, TheFormsIconIsTheProgramsOwnElseTheSystems) {
  Open();
  HINSTANCE program = GetModuleHandleA(nullptr);
  const int large = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
  auto icon = [](HINSTANCE module, LPCSTR name, int size) {
    return static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, size, size, LR_SHARED));
  };
  ASSERT_NE(icon(program, MAKEINTRESOURCEA(1), large), nullptr) << "the test program has icon 1";
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICON)),
            icon(program, MAKEINTRESOURCEA(1), large));
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM)),
            icon(program, MAKEINTRESOURCEA(1), small));
  // A module without an icon of its own gets the system's application icon.
  HMODULE none = GetModuleHandleA("kernel32.dll");
  ASSERT_EQ(icon(none, MAKEINTRESOURCEA(1), large), nullptr);
  EXPECT_EQ(platform::win32::ProgramIcon(none, large), icon(nullptr, IDI_APPLICATION, large));
}

TEST(Containers, TheWalkGoesFromTheInnermostOutAndStopsAtBrokenChains) {
  ui::Form form;
  const ui::ControlId outer = form.Add({.name = "Outer", .kind = ui::Kind::Picture});
  const ui::ControlId frame =
      form.Add({.name = "Frame", .kind = ui::Kind::Frame, .container = outer});
  const ui::ControlId inner =
      form.Add({.name = "Inner", .kind = ui::Kind::Picture, .container = frame});
  const ui::ControlId text = form.Add({.name = "Text", .container = inner});
  const ui::ControlId lost = form.Add({.name = "Lost", .container = ui::ControlId{99}});
  const ui::ControlId ring1 = form.Add({.name = "Ring1", .container = ui::ControlId{6}});
  form.Add({.name = "Ring2", .container = ring1});
  std::vector<std::string> chain;
  for (const ui::Control& c : form.Containers(form[text])) chain.push_back(c.name);
  EXPECT_EQ(chain, (std::vector<std::string>{"Inner", "Frame", "Outer"}));
  EXPECT_TRUE(form.Containers(form[outer]).begin() == form.Containers(form[outer]).end());
  EXPECT_TRUE(form.Shown(form[text]));
  form[frame].visible = false;
  EXPECT_FALSE(form.Shown(form[text]));
  EXPECT_TRUE(form.Shown(form[outer]));
  EXPECT_THROW(form.Shown(form[lost]), std::out_of_range);
  EXPECT_THROW(form.Shown(form[ring1]), std::logic_error);
}

}  // namespace
