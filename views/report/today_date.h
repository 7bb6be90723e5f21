#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <string>

namespace strativex {

// "d mmmm yyyy" with the month named in the locale's language: "6 December 2026", "6 März
// 2026". The date is kept in prefs.txt, whose 8-bit code page cannot hold every alphabet; a
// month name it cannot hold is written in English instead.
QString DateText(const QDate& date, const QLocale& locale = QLocale::system());
QString TodayText();
// Today's date as the information line stores it: Windows-1252 bytes.
std::string TodayModelText();

}  // namespace strativex
