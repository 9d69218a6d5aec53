#include "platform/win32/crash_handler.h"

#include <dbghelp.h>
#include <shlobj.h>

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <typeinfo>

#include "gameconfig/backup_journal.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/wrappers/error_handler.h"

namespace wmb {
namespace {

constexpr DWORD kCppExceptionCode = 0xE06D7363u;
constexpr int kMaxStackFrames = 48;

CrashHandlerSetup setup_;
char lastStatus_[512] = {};
volatile LONG entered_ = 0;

struct Fault {
    EXCEPTION_POINTERS* Pointers = nullptr;
    DWORD ThreadId = 0;
    bool Cpp = false;
    std::string TypeName;
    std::string Message;
};

std::string Demangled(const char* name) {
    int status = 0;
    char* plain = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string text = status == 0 && plain ? plain : name;
    std::free(plain);
    return text;
}

bool IsCode(DWORD address) {
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info)) return false;
    constexpr DWORD kExecutable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return info.State == MEM_COMMIT && info.Type == MEM_IMAGE && (info.Protect & kExecutable);
}

CodeAddress Locate(DWORD address) {
    CodeAddress where;
    where.Address = address;
    HMODULE module = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(address), &module)) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module, path, sizeof path);
        const char* name = path;
        for (const char* p = path; *p; ++p) {
            if (*p == '\\' || *p == '/') name = p + 1;
        }
        where.Module = name;
        where.Offset = address - reinterpret_cast<DWORD>(module);
    }
    return where;
}

// The words on the stack from `sp` to the end of its committed region that point into loaded code.
std::vector<CodeAddress> RawStack(DWORD sp) {
    std::vector<CodeAddress> frames;
    MEMORY_BASIC_INFORMATION region{};
    if (!sp || !VirtualQuery(reinterpret_cast<void*>(sp), &region, sizeof region)) return frames;
    const DWORD end = reinterpret_cast<DWORD>(region.BaseAddress) + region.RegionSize;
    for (DWORD p = sp & ~3u; p + 4 <= end && frames.size() < kMaxStackFrames; p += 4) {
        const DWORD value = *reinterpret_cast<const DWORD*>(p);
        if (IsCode(value)) frames.push_back(Locate(value));
    }
    return frames;
}

std::string OperatingSystemText() {
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v));
    char text[256];
    std::snprintf(text, sizeof text, "Windows %lu.%lu.%lu %s", v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber,
                  v.szCSDVersion);
    std::string os = text;
    using WineVersion = const char*(CDECL*)();
    const auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    if (wine) os += std::string(" (Wine ") + wine() + ")";
    while (!os.empty() && os.back() == ' ') os.pop_back();
    return os;
}

CrashFacts GatherFacts(const Fault& fault, const SYSTEMTIME& now) {
    const EXCEPTION_RECORD& record = *fault.Pointers->ExceptionRecord;
    CrashFacts facts;
    facts.ProgramVersion = setup_.ProgramVersion;
    char time[32];
    std::snprintf(time, sizeof time, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    facts.Time = time;
    facts.Kind = fault.Cpp ? FaultKind::CppException : FaultKind::StructuredException;
    facts.Code = record.ExceptionCode;
    facts.TypeName = fault.TypeName;
    facts.Message = fault.Message;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
        facts.AccessKind = static_cast<int>(record.ExceptionInformation[0]);
        facts.AccessAddress = static_cast<std::uint32_t>(record.ExceptionInformation[1]);
    }
    facts.FaultAddress = Locate(reinterpret_cast<DWORD>(record.ExceptionAddress));
    facts.ThreadId = fault.ThreadId;
    facts.Stack = RawStack(fault.Pointers->ContextRecord->Esp);
    facts.OperatingSystem = OperatingSystemText();
    facts.LastStatus = lastStatus_;
    facts.SequenceRunning =
        !setup_.JournalPath.empty() && JournalSaysSequenceUnderWay(Win32FileSystem().ReadFile(setup_.JournalPath));
    return facts;
}

bool WriteMinidump(const std::string& path, const Fault& fault) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    MINIDUMP_EXCEPTION_INFORMATION exception{fault.ThreadId, fault.Pointers, FALSE};
    const bool ok = MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file,
                                      static_cast<MINIDUMP_TYPE>(MiniDumpNormal | MiniDumpWithThreadInfo), &exception,
                                      nullptr, nullptr);
    CloseHandle(file);
    if (!ok) DeleteFileA(path.c_str());
    return ok;
}

// The handler's work, on a thread with a stack of its own (the faulting one may have none left).
DWORD WINAPI Report(void* parameter) {
    const Fault& fault = *static_cast<const Fault*>(parameter);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    CrashDetails details;
    details.Facts = GatherFacts(fault, now);
    details.ReportText = CrashReportText(details.Facts);
    const std::string stem = setup_.CrashFolder +
                             CrashFileStem(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    Win32FileSystem files;
    files.CreateFolders(setup_.CrashFolder);
    try {
        files.WriteFile(stem + ".txt", details.ReportText);
        details.ReportPath = stem + ".txt";
    } catch (const std::exception&) {
        // The dialog says the report could not be written.
    }
    if (WriteMinidump(stem + ".dmp", fault)) details.DumpPath = stem + ".dmp";
    if (setup_.Present) setup_.Present(details);
    return 0;
}

[[noreturn]] void Handle(Fault& fault) {
    // A second fault, in the handler or on another thread meanwhile, ends the process at once.
    if (InterlockedExchange(&entered_, 1) != 0) TerminateProcess(GetCurrentProcess(), kCrashHandlerFaultExitCode);
    fault.ThreadId = GetCurrentThreadId();
    if (HANDLE worker = CreateThread(nullptr, 1 << 20, Report, &fault, 0, nullptr)) {
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    }
    const DWORD code = fault.Pointers->ExceptionRecord->ExceptionCode;
    TerminateProcess(GetCurrentProcess(), code ? code : 1);
    for (;;) Sleep(INFINITE);
}

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* pointers) {
    Fault fault;
    fault.Pointers = pointers;
    Handle(fault);
}

void Terminated() { HandleEscapedException(std::current_exception()); }

void TakeEscapedError(std::exception_ptr error) { HandleEscapedException(error); }

// Recurses without end; the array keeps the compiler from turning it into a loop.
int Deeper(int depth) {
    volatile char frame[1024];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    return frame[0] == 1 && depth < 0 ? 0 : Deeper(depth + 1) + frame[1];
}

}  // namespace

std::string UserCrashFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    return std::string(path) + "\\Kestrane\\WildmereBench\\Crashes\\";
}

void InstallCrashHandler(CrashHandlerSetup setup) {
    setup_ = std::move(setup);
    // No system message box for a fault; Wine's crash dialog stays away as well.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(UnhandledFilter);
    std::set_terminate(Terminated);
    SetEscapedErrorHandler(TakeEscapedError);
}

void NoteStatusForCrashReport(const std::string& text) {
    lstrcpynA(lastStatus_, text.c_str(), sizeof lastStatus_);
}

void HandleEscapedException(std::exception_ptr error) {
    Fault fault;
    fault.Cpp = true;
    if (!error) {
        fault.TypeName = "std::terminate";
        fault.Message = "the program was ended without an exception";
    } else {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            fault.TypeName = Demangled(typeid(e).name());
            fault.Message = e.what() ? e.what() : "";
        } catch (...) {
            const std::type_info* type = abi::__cxa_current_exception_type();
            fault.TypeName = type ? Demangled(type->name()) : "";
        }
    }
    CONTEXT context{};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = kCppExceptionCode;
    record.ExceptionAddress = __builtin_return_address(0);
    EXCEPTION_POINTERS pointers{&record, &context};
    fault.Pointers = &pointers;
    Handle(fault);
}

std::string TestCrashKind() {
    char kind[64] = {};
    const DWORD length = GetEnvironmentVariableA("WMB_TEST_CRASH", kind, sizeof kind);
    return length > 0 && length < sizeof kind ? std::string(kind, length) : std::string();
}

void TriggerTestCrash(const std::string& kind) {
    if (kind == "access-violation" || kind == "second-fault") {
        *static_cast<volatile int*>(nullptr) = 1;
    } else if (kind == "exception") {
        throw std::runtime_error("Test crash requested by WMB_TEST_CRASH.");
    } else if (kind == "thread-exception") {
        std::thread([] { throw std::logic_error("Test crash on a worker thread requested by WMB_TEST_CRASH."); })
            .join();
    } else if (kind == "illegal-instruction") {
        __builtin_trap();
    } else if (kind == "stack-overflow") {
        Deeper(0);
    }
}

}  // namespace wmb
