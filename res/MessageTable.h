#pragma once

#include "res/Messages.h"

struct MessageEntry {
    Msg id;
    const char *text; // UTF-8; %1, %2 … are filled by the caller
};

const MessageEntry *EnglishMessages(int &count);
const MessageEntry *JapaneseMessages(int &count);
