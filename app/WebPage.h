#pragma once

// Opens a web address with the desktop's default handler. The player hears nothing of a failure;
// it goes to the "pelmo.web" log category (info level, off by default). True when opened.
bool OpenWebPage(const char* address);
