#pragma once

// 按钮_退出 and "退出工具": the advertising page through the hyperlink box, then the end.
void OpenAdPageAndExit();
// "广告地址": the advertising page through the hyperlink box; the program goes on.
void OpenAdPage();
// "官方网站": the official site, handed straight to the shell.
void OpenOfficialSite();
// Opens an address with the shell's "open" verb; the result is not looked at.
void ShellOpen(const char* address);
