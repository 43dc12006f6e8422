#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "countdown/PowerAction.h"

namespace {

constexpr Luid ShutdownLuid{19, 0};

struct Answers {
    std::uint32_t platform = VER_PLATFORM_WIN32_NT;
    bool tokenOpens = true;
    std::uint32_t errorAfterAdjusting = 0;
    bool callSucceeds = true; // ExitWindowsEx, SetSystemPowerState
};

// Writes down every call in order, and answers as told.
class RecordingPowerSystem final : public PowerSystem {
  public:
    Answers answers;
    std::vector<std::string> calls;

    std::uint32_t PlatformId() override {
        calls.push_back("version");
        return answers.platform;
    }
    ProcessToken OpenOwnToken() override {
        calls.push_back("open token");
        if (!answers.tokenOpens) return {};
        return {*this, &token_};
    }
    Luid LookUpPrivilege(const char* name) override {
        calls.push_back(std::string("look up ") + name);
        return ShutdownLuid;
    }
    void EnablePrivilege(TokenHandle token, Luid privilege) override {
        calls.push_back(token == &token_ && privilege == ShutdownLuid ? "enable" : "enable ?");
    }
    std::uint32_t LastError() override {
        calls.push_back("last error");
        return answers.errorAfterAdjusting;
    }
    void CloseToken(TokenHandle token) override {
        calls.push_back(token == &token_ ? "close token" : "close ?");
    }
    bool ExitWindowsWith(std::uint32_t flags) override {
        calls.push_back("exit windows " + std::to_string(flags));
        return answers.callSucceeds;
    }
    bool SetPowerState(bool suspend, bool force) override {
        calls.push_back(std::string("power state ") + (suspend ? "suspend" : "hibernate") +
                        (force ? " forced" : ""));
        return answers.callSucceeds;
    }

  private:
    int token_ = 0;
};

using Calls = std::vector<std::string>;

// What enabling the privilege on the NT family does when all goes well.
Calls Enabling(Calls then) {
    Calls calls{"version", "open token", "look up SeShutdownPrivilege",
                "enable",  "last error", "close token"};
    calls.insert(calls.end(), then.begin(), then.end());
    return calls;
}

} // namespace

TEST(PowerAction, EnablesThePrivilegeThenMakesTheOneSystemCall) {
    enum Force { LeftOut, Given0, Given1 };
    constexpr Answers Nt, Windows9x{.platform = 1}, NoToken{.tokenOpens = false},
        PrivilegeNotHeld{.errorAfterAdjusting = ERROR_NOT_ALL_ASSIGNED},
        CallFails{.callSucceeds = false};
    struct Case {
        const char* what;
        int mode;
        Force force;
        Answers answers;
        bool result;
        Calls calls;
    } const cases[] = {
        {"mode 0", 0, LeftOut, Nt, false, {}},
        {"mode 6", 6, Given1, Nt, false, {}},
        {"power off", PowerOff, LeftOut, Nt, true, Enabling({"version", "exit windows 8"})},
        {"power off forced", PowerOff, Given1, Nt, true, Enabling({"version", "exit windows 12"})},
        {"power off, force 0", PowerOff, Given0, Nt, true, Enabling({"version", "exit windows 8"})},
        {"power off, 9x", PowerOff, LeftOut, Windows9x, true,
         Calls{"version", "version", "exit windows 1"}},
        {"log off", LogOff, LeftOut, Nt, true, Enabling({"exit windows 0"})},
        {"reboot", Reboot, LeftOut, Nt, true, Enabling({"exit windows 2"})},
        {"reboot forced", Reboot, Given1, Nt, true, Enabling({"exit windows 6"})},
        {"suspend", Suspend, LeftOut, Nt, true, Enabling({"power state suspend"})},
        {"hibernate forced", Hibernate, Given1, Nt, true,
         Enabling({"power state hibernate forced"})},
        {"privilege not held", PowerOff, LeftOut, PrivilegeNotHeld, false, Enabling({})},
        {"token not opened", LogOff, LeftOut, NoToken, false, {"version", "open token"}},
        {"log-off refused", LogOff, LeftOut, CallFails, false, Enabling({"exit windows 0"})},
        {"suspend refused", Suspend, LeftOut, CallFails, false, Enabling({"power state suspend"})},
    };
    for (const Case& c : cases) {
        RecordingPowerSystem system;
        system.answers = c.answers;
        bool result = c.force == LeftOut ? PowerAction(system, c.mode)
                                         : PowerAction(system, c.mode, c.force == Given1);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(system.calls, c.calls) << c.what;
    }
}

TEST(ProcessToken, IsClosedOnceByItsLastOwner) {
    RecordingPowerSystem system;
    {
        ProcessToken first = system.OpenOwnToken();
        ProcessToken second(std::move(first));
        EXPECT_FALSE(first);
        ProcessToken third = system.OpenOwnToken();
        third = std::move(second); // closes the token that third held
        EXPECT_TRUE(third);
        EXPECT_EQ(system.calls, (Calls{"open token", "open token", "close token"}));
    }
    EXPECT_EQ(system.calls, (Calls{"open token", "open token", "close token", "close token"}));
}
