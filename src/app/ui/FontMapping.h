#pragma once

#include "app/LogFont.h"

#include <QFont>

// The stored LOGFONT fields as a QFont and back. A face the machine lacks (the stored default
// "ＭＳ ゴシック" on most machines) falls back to an installed CJK monospace font.
QFont FontFromLogFont(const LogFont &font);
LogFont LogFontFromFont(const QFont &font, const LogFont &base);
QString CjkMonospaceFamily();
