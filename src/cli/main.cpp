// tramora-check: judges index files the way the office's validation does, without moving,
// packing or deleting anything, and prints what the history would hold.

#include "CheckSession.h"
#include "PageCountCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <cstdio>

using namespace tramora;

namespace {

constexpr int exitAccepted = 0;
constexpr int exitRefused = 1;
constexpr int exitUsage = 2;

const char *const usageText
    = "usage: tramora-check [--json] [--cns CNS] [--docs DIR] [--today YYYY-MM-DD]\n"
      "                     [--app-version X.Y.Z.W] INDEX.xml...\n"
      "       tramora-check --pages PDF...\n";

int usageError(const QString &why)
{
    std::fprintf(stderr, "tramora-check: %s\n%s", qPrintable(why), usageText);
    return exitUsage;
}

void printPlain(const CheckResult &result)
{
    std::printf("%s: %s\n", qPrintable(result.index), result.accepted ? "aceito" : "recusado");
    for (const auto &[name, erro] : result.history) {
        std::printf("  %s\n", qPrintable(name));
        QString text = erro;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        for (const QString &line : text.split(QLatin1Char('\n')))
            std::printf("    %s\n", qPrintable(line));
    }
}

nlohmann::ordered_json asJson(const CheckResult &result)
{
    nlohmann::ordered_json history = nlohmann::ordered_json::object();
    for (const auto &[name, erro] : result.history)
        history[name.toStdString()] = erro.toStdString();
    return {
        {"index", result.index.toStdString()}, {"accepted", result.accepted}, {"history", history}};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--pages")) {
        arguments.removeFirst();
        if (arguments.isEmpty())
            return usageError(QStringLiteral("no PDF file given"));
        return printPageCounts(arguments);
    }

    bool json = false;
    CheckOptions options;
    QStringList indexes;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        if (argument == QLatin1String("--json")) {
            json = true;
        } else if (argument == QLatin1String("--cns") || argument == QLatin1String("--docs")
                   || argument == QLatin1String("--today")
                   || argument == QLatin1String("--app-version")) {
            const std::optional<QString> given = value();
            if (!given)
                return usageError(argument + QStringLiteral(" needs a value"));
            if (argument == QLatin1String("--cns")) {
                options.cns = *given;
            } else if (argument == QLatin1String("--docs")) {
                if (!QFileInfo(*given).isDir())
                    return usageError(QStringLiteral("not a folder: ") + *given);
                options.documents = QFileInfo(*given).absoluteFilePath();
            } else if (argument == QLatin1String("--today")) {
                const QDate today = QDate::fromString(*given, QStringLiteral("yyyy-MM-dd"));
                if (!today.isValid())
                    return usageError(QStringLiteral("--today wants a date YYYY-MM-DD: ") + *given);
                options.today = today;
            } else {
                options.appVersion = *given;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            return usageError(QStringLiteral("unknown option ") + argument);
        } else {
            indexes << argument;
        }
    }
    if (indexes.isEmpty())
        return usageError(QStringLiteral("no index file given"));
    for (const QString &index : indexes) {
        const QFileInfo file(index);
        if (!file.isFile() || !file.isReadable())
            return usageError(QStringLiteral("cannot read ") + index);
    }

    bool allAccepted = true;
    nlohmann::ordered_json files = nlohmann::ordered_json::array();
    for (const QString &index : indexes) {
        const CheckResult result = checkIndexFile(index, options);
        allAccepted = allAccepted && result.accepted;
        if (json)
            files.push_back(asJson(result));
        else
            printPlain(result);
    }
    if (json) {
        const nlohmann::ordered_json document{{"files", files}};
        std::printf("%s\n", document.dump().c_str());
    }
    return allAccepted ? exitAccepted : exitRefused;
}
