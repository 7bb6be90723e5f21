#include "views/report/today_date.h"

#include "core/windows1252.h"

namespace strativex {
namespace {

const QString kDatePattern = QStringLiteral("d MMMM yyyy");

bool StorableInModelText(const QString& text) {
    return Utf8ToWindows1252(text.toStdString()).has_value();
}

}  // namespace

QString DateText(const QDate& date, const QLocale& locale) {
    const QString local = locale.toString(date, kDatePattern);
    if (StorableInModelText(local)) return local;
    return QLocale(QLocale::English, QLocale::UnitedKingdom).toString(date, kDatePattern);
}

QString TodayText() {
    return DateText(QDate::currentDate());
}

std::string TodayModelText() {
    return Utf8ToWindows1252(TodayText().toStdString()).value_or(std::string());
}

}  // namespace strativex
