#include "tests/wine/TestSupport.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "tests/Printable.h"

#include <algorithm>
#include <stdexcept>

namespace test {

namespace {
constexpr const char* kTestRoot = "C:\\yorvtests";
constexpr const char* kSection = "YorvFrontEnd";
ModalWatcher* activeWatcher = nullptr;
}  // namespace

void MakeDir(const std::string& path)
{
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create " + path);
}

TempDir::TempDir(const std::string& name) : path_(std::string(kTestRoot) + "\\" + name)
{
    MakeDir(kTestRoot);
    RemoveTreeForTest(path_);
    MakeDir(path_);
}

TempDir::~TempDir()
{
    RemoveTreeForTest(path_);
}

void RemoveTreeForTest(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str()))
            RemoveDirectoryA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..")
                RemoveTreeForTest(path + "\\" + name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> NamesIn(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// A test's ANSI path as the system's ANSI calls read it.
std::wstring Wide(const std::string& path)
{
    std::wstring wide(path.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

}  // namespace

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::string shown(path.size() * 4, '\0');
        shown.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                                                  shown.data(), static_cast<int>(shown.size()),
                                                                  nullptr, nullptr)));
        throw std::runtime_error("cannot write " + shown);
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    WriteBytes(Wide(path), bytes);
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string data;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        data.append(buffer, got);
    CloseHandle(file);
    return data;
}

std::string ReadBytes(const std::string& path)
{
    return ReadBytes(Wide(path));
}

CleanKey::CleanKey(std::string name) : name_(std::move(name))
{
    RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
}

CleanKey::~CleanKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
}

void CleanKey::Set(const std::string& value, DWORD type, const std::string& data) const
{
    HKEY key = nullptr;
    const std::string path = name_ + "\\" + kSection;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        throw std::runtime_error("cannot create " + path);
    RegSetValueExA(key, value.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void CleanKey::SetString(const std::string& value, const std::string& text) const
{
    Set(value, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

std::string CleanKey::Get(const std::string& value) const
{
    HKEY key = nullptr;
    const std::string path = name_ + "\\" + kSection;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key))
        return "<absent>";
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "<absent>";
    if (type != REG_SZ)
        return "<type " + std::to_string(type) + ">";
    return std::string(data);
}

std::string InstallationRecord::Path()
{
    char dir[MAX_PATH];
    const UINT len = GetWindowsDirectoryA(dir, sizeof dir);
    return std::string(dir, len) + "\\yorvhollowfen.ini";
}

InstallationRecord::InstallationRecord()
    : hadRecord_(GetFileAttributesA(Path().c_str()) != INVALID_FILE_ATTRIBUTES), previous_(ReadBytes(Path()))
{
    DeleteFileA(Path().c_str());
}

InstallationRecord::InstallationRecord(const std::string& contents) : InstallationRecord()
{
    WriteBytes(Path(), contents);
}

InstallationRecord::~InstallationRecord()
{
    if (hadRecord_)
        WriteBytes(Path(), previous_);
    else
        DeleteFileA(Path().c_str());
}

std::unique_ptr<yorv::ProgramWindows> StartLauncher(const std::string& storeKey)
{
    auto windows = std::make_unique<yorv::ProgramWindows>(GetModuleHandleA(nullptr), storeKey);
    HWND main = yorv::FrmMain->Handle();
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    SetForegroundWindow(main);
    Pump(100);
    return windows;
}

ModalWatcher::ModalWatcher(std::vector<int> answers, std::function<void(ModalBox&)> onBox)
    : answers_(std::move(answers)), onBox_(std::move(onBox))
{
    activeWatcher = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

ModalWatcher::~ModalWatcher()
{
    KillTimer(nullptr, timer_);
    activeWatcher = nullptr;
}

const std::vector<ModalBox>& ModalWatcher::Boxes() const
{
    REQUIRE_MESSAGE(!unanswerable_, "a box could not be given its scripted answer");
    return boxes_;
}

void CALLBACK ModalWatcher::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (activeWatcher)
        activeWatcher->Check();
}

namespace {

struct Found {
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM param)
{
    char cls[32];
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(hwnd))
        reinterpret_cast<Found*>(param)->boxes.push_back(hwnd);
    return TRUE;
}

UINT IconOf(HWND box)
{
    struct Icon {
        LPCSTR id;
        UINT flag;
    };
    const Icon icons[] = {{IDI_HAND, MB_ICONSTOP}, {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                          {IDI_ASTERISK, MB_ICONINFORMATION}, {IDI_QUESTION, MB_ICONQUESTION}};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (!shown)
            continue;
        for (const Icon& icon : icons) {
            if (shown == LoadIconA(nullptr, icon.id))
                return icon.flag;
        }
    }
    return 0;
}

HWND MainWindowOfThread()
{
    return FindWindowA("TFrmMain", nullptr);
}

}  // namespace

void ModalWatcher::Check()
{
    Found found;
    EnumThreadWindows(GetCurrentThreadId(), CollectBoxes, reinterpret_cast<LPARAM>(&found));
    for (HWND hwnd : found.boxes) {
        bool seen = false;
        for (HWND done : answered_)
            seen = seen || done == hwnd;
        if (seen)
            continue;
        answered_.push_back(hwnd);

        ModalBox box;
        box.caption = WindowText(hwnd);
        box.text = WindowText(GetDlgItem(hwnd, 0xFFFF));
        box.icon = IconOf(hwnd);
        box.owner = GetWindow(hwnd, GW_OWNER);
        HWND main = MainWindowOfThread();
        box.mainWindowEnabled = main && IsWindowEnabled(main);
        for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
            HWND button = GetDlgItem(hwnd, id);
            if (button && IsWindowVisible(button)) {
                box.buttons.push_back(id);
                if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    box.defaultButton = id;
            }
        }
        if (!answers_.empty()) {
            box.answer = answers_.front();
            answers_.erase(answers_.begin());
        }
        if (onBox_)
            onBox_(box);
        boxes_.push_back(box);
        // Pressing a button the box has not would leave it waiting until
        // the test times out.
        if (std::find(box.buttons.begin(), box.buttons.end(), box.answer) == box.buttons.end()) {
            const std::string why = "the box \"" + box.caption + "\" has no button " + std::to_string(box.answer)
                                    + " to answer it; its buttons: " + doctest::toString(box.buttons).c_str()
                                    + "; its text: \"" + box.text + "\"";
            ADD_FAIL_CHECK_AT(__FILE__, __LINE__, why);
            unanswerable_ = true;
            box.answer = box.buttons.empty() ? IDCANCEL : box.buttons.front();
        }
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(box.answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, box.answer)));
    }
}

void Pump(int ms)
{
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

std::string WindowText(HWND hwnd)
{
    if (!hwnd)
        return std::string();
    const int len = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(len) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), len + 1);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

RECT ChildRect(HWND control)
{
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::string WinePath(const std::string& unixPath)
{
    // A Linux path begins with one slash and lies on Wine's Z: drive; a path
    // of a build on Windows begins with its drive (or is a share's, "//").
    const bool onLinux = !unixPath.empty() && unixPath[0] == '/' && unixPath.compare(0, 2, "//") != 0;
    std::string path = onLinux ? "Z:" + unixPath : unixPath;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

bool UnderWine()
{
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

}  // namespace test
