#pragma once
#include "countdown/PowerSystem.h"

// The power action's calls, made on Windows itself.
class PowerSystemWin32 final : public PowerSystem {
  public:
    std::uint32_t PlatformId() override;
    ProcessToken OpenOwnToken() override;
    Luid LookUpPrivilege(const char* name) override;
    void EnablePrivilege(TokenHandle token, Luid privilege) override;
    std::uint32_t LastError() override;
    void CloseToken(TokenHandle token) override;
    bool ExitWindowsWith(std::uint32_t flags) override;
    bool SetPowerState(bool suspend, bool force) override;
};
