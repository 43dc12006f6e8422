#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "links/BrowserFallback.h"

namespace {

const std::string Page = "http://ad.quorvel.example/wb008.htm?from=143885&gid=5";

// A value of the full registry buffer, with no terminator.
std::string FullValue(char fill) {
    return std::string(RegistryValueSize, fill);
}

} // namespace

TEST(RegistryValueText, EndsAtTheFirstZeroOrAtTheReadLength) {
    struct Case {
        std::string value;
        std::string text;
    } const cases[] = {
        {std::string("htmlfile\0", 9), "htmlfile"},
        {"htmlfile", "htmlfile"}, // stored without its terminator
        {std::string("a\0b", 3), "a"},
        {"", ""},
        {FullValue('h'), FullValue('h')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RegistryValueText({c.value.data(), c.value.size()}), c.text) << c.value;
}

TEST(OpenCommandKey, AppendsTheShellOpenCommandPath) {
    EXPECT_EQ(OpenCommandKey("htmlfile").view(), "htmlfile\\shell\\open\\command");
    EXPECT_EQ(OpenCommandKey(FullValue('h')).view(), FullValue('h') + "\\shell\\open\\command");
}

TEST(BrowserCommandLine, CutsAtThePlaceholderAndAppendsTheTarget) {
    const std::size_t longest = CommandLine::Capacity - 1; // the terminator takes one byte
    struct Case {
        const char* what;
        std::string command;
        std::string target;
        std::optional<std::string> line; // nullopt: does not fit
    } const cases[] = {
        {"quoted placeholder", R"("C:\Browser\browser.exe" -nohome "%1")", Page,
         R"("C:\Browser\browser.exe" -nohome  )" + Page},
        {"bare placeholder", R"(C:\Browser\browser.exe %1 -new)", Page,
         R"(C:\Browser\browser.exe  )" + Page},
        {"no placeholder", R"("C:\Browser\browser.exe")", Page,
         R"("C:\Browser\browser.exe" )" + Page},
        {"quoted one first", R"(b.exe "%1" %1)", Page, "b.exe  " + Page},
        {"bare one first", R"(b.exe %1 "%1")", Page, "b.exe %1  " + Page}, // the quoted one wins
        {"quote without closing", R"(b.exe "%1)", Page, "b.exe \" " + Page},
        {"empty command", "", Page, " " + Page},
        {"empty target", "b.exe", "", "b.exe "},
        {"value at the registry limit", FullValue('b'), Page, FullValue('b') + " " + Page},
        {"fits exactly", "b.exe", std::string(longest - 6, 't'),
         "b.exe " + std::string(longest - 6, 't')},
        {"one byte over", "b.exe", std::string(longest - 5, 't'), std::nullopt},
        {"over-long target", "b.exe", std::string(100000, 't'), std::nullopt},
        {"command alone too long", std::string(longest, 'b'), "", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<CommandLine> line = BrowserCommandLine(c.command, c.target);
        ASSERT_EQ(line.has_value(), c.line.has_value()) << c.what;
        if (!line) continue;
        EXPECT_EQ(line->view(), *c.line) << c.what;
        EXPECT_EQ(std::string(line->c_str()), *c.line) << c.what << ": terminated";
    }
}
