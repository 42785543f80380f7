#include "app/qt/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "results/history_reading.h"

namespace vantrope {

namespace {

std::string Std(const QString& text) { return text.toStdString(); }

std::optional<std::string> Value(const QCommandLineParser& parser, const QString& name) {
  if (!parser.isSet(name)) return std::nullopt;
  return Std(parser.value(name));
}

CommandLine Exit(int status, const std::string& text) {
  std::fputs(text.c_str(), status == 0 ? stdout : stderr);
  CommandLine line;
  line.action = CommandLine::Action::kExit;
  line.exit_status = status;
  return line;
}

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv) {
  QCoreApplication::setApplicationName(QStringLiteral("vantrope"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VANTROPE_VERSION));
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    const QString argument = QString::fromLocal8Bit(argv[i]);
    // What follows is Chromium's, for the embedded browser.
    if (argument == QLatin1String("--webEngineArgs")) break;
    arguments << argument;
  }

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Vantrope: a trading robot. Without a command it opens its window; the data folder is the current one."));
  // Qt's own options, as "-platform offscreen", are single words after one dash.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const auto value = [](const char* name, const char* description, const char* value_name) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description), QString::fromLatin1(value_name));
  };
  const auto flag = [](const char* name, const char* description) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description));
  };
  parser.addOptions({
      value("time-scale", "Run every timer N times faster (demonstrations and tests).", "N"),
      flag("history", "Open only the results window on FILE (the data folder's history file without it)."),
      flag("history-summary", "Print the figures of the history FILE without a window."),
      flag("lab", "Print the strategy lab's figures without a window; the strategies' settings come from the "
                  "settings file."),
      value("strategy", "--lab: the strategy's page, 0..5 (the page shown without it); repeated, side by side.",
            "N"),
      value("runs", "--lab: runs (10000).", "R"),
      value("bets", "--lab: bets per run (1000).", "B"),
      value("win-rate", "--lab: the chance to win a bet, percent (50).", "P"),
      value("payout", "--lab: what a won bet gains, percent of its price (80).", "PERCENT"),
      value("balance", "--lab: the starting balance (1000).", "X"),
      value("seed", "--lab: the seed of the outcomes (1).", "S"),
      value("replay", "--lab: play the strategy through the bets of the history FILE instead.", "FILE"),
  });
  // Qt's options for every program, taken by the application later.
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "style",
                           "stylesheet", "qwindowgeometry", "qwindowtitle", "qwindowicon", "session"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  QCommandLineOption reverse(QStringLiteral("reverse"));
  reverse.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(reverse);
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The history file of --history and --history-summary."),
                               QStringLiteral("[FILE]"));

  const std::string usage = "\n" + Std(parser.helpText());
  if (!parser.parse(arguments)) return Exit(2, "vantrope: " + Std(parser.errorText()) + "\n" + usage);
  if (parser.isSet(help)) return Exit(0, Std(parser.helpText()));
  if (parser.isSet(version)) return Exit(0, "vantrope " VANTROPE_VERSION "\n");

  CommandLine line;
  const QStringList files = parser.positionalArguments();
  const bool history = parser.isSet(QStringLiteral("history"));
  const bool summary = parser.isSet(QStringLiteral("history-summary"));
  const bool lab = parser.isSet(QStringLiteral("lab"));
  if (int(history) + int(summary) + int(lab) > 1) return Exit(2, "vantrope: one command at a time\n" + usage);
  if (files.size() > ((history || summary) ? 1 : 0))
    return Exit(2, "vantrope: unexpected argument " + Std(files.back()) + "\n" + usage);
  for (const char* option : {"strategy", "runs", "bets", "win-rate", "payout", "balance", "seed", "replay"})
    if (!lab && parser.isSet(QString::fromLatin1(option)))
      return Exit(2, std::string("vantrope: --") + option + " belongs to --lab\n" + usage);

  if (parser.isSet(QStringLiteral("time-scale"))) {
    bool ok = false;
    line.time_scale = parser.value(QStringLiteral("time-scale")).toInt(&ok);
    if (!ok || line.time_scale < 1)
      return Exit(2, "vantrope: --time-scale takes a whole number from 1\n" + usage);
  }
  line.history_file = files.isEmpty() ? kHistoryFileName : Std(files.front());
  if (history) line.action = CommandLine::Action::kHistory;
  if (summary) line.action = CommandLine::Action::kHistorySummary;
  if (lab) {
    line.action = CommandLine::Action::kLab;
    for (const QString& page : parser.values(QStringLiteral("strategy"))) line.lab.strategies.push_back(Std(page));
    line.lab.runs = Value(parser, QStringLiteral("runs"));
    line.lab.bets = Value(parser, QStringLiteral("bets"));
    line.lab.win_rate = Value(parser, QStringLiteral("win-rate"));
    line.lab.payout = Value(parser, QStringLiteral("payout"));
    line.lab.balance = Value(parser, QStringLiteral("balance"));
    line.lab.seed = Value(parser, QStringLiteral("seed"));
    line.lab.replay = Value(parser, QStringLiteral("replay"));
  }
  return line;
}

}  // namespace vantrope
