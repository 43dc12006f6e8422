#pragma once
#include <cstdint>
#include <utility>

// The Windows values that the power action passes, under their Windows names. Each is
// left to windows.h where that came first, so this header also stands beside it.
#ifndef EWX_LOGOFF
inline constexpr std::uint32_t EWX_LOGOFF = 0;
#endif
#ifndef EWX_SHUTDOWN
inline constexpr std::uint32_t EWX_SHUTDOWN = 1;
#endif
#ifndef EWX_REBOOT
inline constexpr std::uint32_t EWX_REBOOT = 2;
#endif
#ifndef EWX_FORCE
inline constexpr std::uint32_t EWX_FORCE = 4;
#endif
#ifndef EWX_POWEROFF
inline constexpr std::uint32_t EWX_POWEROFF = 8;
#endif
#ifndef VER_PLATFORM_WIN32_NT
inline constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;
#endif
#ifndef ERROR_NOT_ALL_ASSIGNED
inline constexpr std::uint32_t ERROR_NOT_ALL_ASSIGNED = 1300;
#endif

// A locally unique identifier, as LookupPrivilegeValueA gives it.
struct Luid {
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    bool operator==(const Luid&) const = default;
};

class ProcessToken;

// The security and power calls of Windows that the power action makes, one each.
class PowerSystem {
  public:
    using TokenHandle = void*;

    // dwPlatformId from GetVersionExA, asked with a zeroed OSVERSIONINFOA.
    virtual std::uint32_t PlatformId() = 0;
    // OpenProcessToken on the current process with TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;
    // an empty token when that fails.
    virtual ProcessToken OpenOwnToken() = 0;
    // LookupPrivilegeValueA on the local system; a zero identifier when that fails.
    virtual Luid LookUpPrivilege(const char* name) = 0;
    // AdjustTokenPrivileges enabling that one privilege (SE_PRIVILEGE_ENABLED), disabling
    // nothing, with no buffer for the previous state.
    virtual void EnablePrivilege(TokenHandle token, Luid privilege) = 0;
    virtual std::uint32_t LastError() = 0;
    virtual void CloseToken(TokenHandle token) = 0;
    // ExitWindowsEx(flags, 0).
    virtual bool ExitWindowsWith(std::uint32_t flags) = 0;
    // SetSystemPowerState(suspend, force).
    virtual bool SetPowerState(bool suspend, bool force) = 0;

  protected:
    ~PowerSystem() = default;
};

// The process's open access token, closed through the system that opened it when its
// owner goes. Move-only: one owner, one close.
class ProcessToken {
  public:
    ProcessToken() = default;
    ProcessToken(PowerSystem& system, PowerSystem::TokenHandle handle)
        : system_(&system), handle_(handle) {}
    ProcessToken(ProcessToken&& other) noexcept
        : system_(other.system_), handle_(std::exchange(other.handle_, nullptr)) {}
    ProcessToken& operator=(ProcessToken&& other) noexcept {
        if (this != &other) {
            Close();
            system_ = other.system_;
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ProcessToken(const ProcessToken&) = delete;
    ProcessToken& operator=(const ProcessToken&) = delete;
    ~ProcessToken() { Close(); }

    PowerSystem::TokenHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    void Close() {
        if (handle_) system_->CloseToken(std::exchange(handle_, nullptr));
    }

    PowerSystem* system_ = nullptr;
    PowerSystem::TokenHandle handle_ = nullptr;
};
