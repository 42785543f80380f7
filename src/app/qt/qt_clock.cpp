#include "app/qt/qt_clock.h"

#include <time.h>

#include <chrono>

#include <QDateTime>
#include <QLocale>

#include "app/qt/qt_text.h"

namespace vantrope {

namespace {

constexpr double kMsPerDay = 24.0 * 60 * 60 * 1000;

// Qt's format letters to the port's: H and h hours become h, m minutes n,
// M months m, AP or ap "ampm"; the time zone (t) has no counterpart and is
// dropped with the blank before it. Quoted text is kept as it is.
std::string PortFormat(const QString& qt_format) {
  QString out;
  bool quoted = false;
  for (qsizetype i = 0; i < qt_format.size(); ++i) {
    const QChar c = qt_format[i];
    if (c == u'\'') quoted = !quoted;
    if (quoted || c == u'\'') {
      out += c;
      continue;
    }
    if (c == u'H') {
      out += u'h';
    } else if (c == u'm') {
      out += u'n';
    } else if (c == u'M') {
      out += u'm';
    } else if ((c == u'A' || c == u'a') && i + 1 < qt_format.size() &&
               (qt_format[i + 1] == u'P' || qt_format[i + 1] == u'p')) {
      out += QStringLiteral("ampm");
      ++i;
    } else if (c == u't') {
      while (out.endsWith(u' ')) out.chop(1);
    } else {
      out += c;
    }
  }
  return ToStdString(out.trimmed());
}

}  // namespace

double QtClock::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return double(QDate(1899, 12, 30).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / kMsPerDay;
}

// The boot-time clock also counts a suspended machine's sleep, so that an
// arrow seen before a suspend is not young after it.
int64_t QtClock::MonotonicMs() {
#ifdef CLOCK_BOOTTIME
  timespec now{};
  if (clock_gettime(CLOCK_BOOTTIME, &now) == 0) return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
#endif
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string QtClock::LongTimeFormat() { return PortFormat(QLocale().timeFormat(QLocale::LongFormat)); }

std::string QtClock::ShortDateFormat() { return PortFormat(QLocale().dateFormat(QLocale::ShortFormat)); }

// Qt's locale formats write the designator as "AP", which Qt shows in capitals.
TimeDesignators QtClock::Designators() {
  const QLocale locale;
  return {ToStdString(locale.amText().toUpper()), ToStdString(locale.pmText().toUpper())};
}

// A separator that is no single ASCII character cannot be told as a char.
char QtClock::DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}

}  // namespace vantrope
