#pragma once

// Opens a web address with the desktop's default handler; whether that worked is not looked at.
void OpenWebPage(const char* address);
