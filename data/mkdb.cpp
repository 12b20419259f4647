// tarnwick-mkdb: builds the program's database file from the sources in data/.
//
//   tarnwick-mkdb --out PATH [--if-missing] [--source-dir DIR]
//
// An existing database is never replaced: it holds the users' stored results.
// With --if-missing an existing PATH is a success that changes nothing (the
// build runs the tool every time); without it, an existing PATH is an error.

#include "data/dataset.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

#ifndef TARNWICK_DATA_SOURCE_DIR
#error "TARNWICK_DATA_SOURCE_DIR must name the folder holding catalogue/, schematics/ and company/"
#endif

namespace {

void printLine(const QString& text, FILE* stream)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

int main(int argc, char** argv)
{
    // The pictures are painted without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-mkdb"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the Tarnwick database file from its text sources."));
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("The database file to create."),
                                       QStringLiteral("PATH"));
    const QCommandLineOption ifMissingOption(QStringLiteral("if-missing"),
                                             QStringLiteral("Do nothing when the database file already exists."));
    const QCommandLineOption sourceOption(QStringLiteral("source-dir"),
                                          QStringLiteral("The folder holding catalogue/, schematics/ and company/."),
                                          QStringLiteral("DIR"), QString::fromUtf8(TARNWICK_DATA_SOURCE_DIR));
    parser.addOption(outOption);
    parser.addOption(ifMissingOption);
    parser.addOption(sourceOption);
    parser.process(app);

    if (!parser.isSet(outOption) || parser.value(outOption).isEmpty() || !parser.positionalArguments().isEmpty()) {
        printLine(QStringLiteral("usage: tarnwick-mkdb --out PATH [--if-missing] [--source-dir DIR]"), stderr);
        return 2;
    }
    const QString out = parser.value(outOption);
    if (QFileInfo::exists(out)) {
        if (parser.isSet(ifMissingOption)) {
            printLine(QStringLiteral("tarnwick-mkdb: %1 exists, left unchanged").arg(QDir::toNativeSeparators(out)),
                      stdout);
            return 0;
        }
        printLine(QStringLiteral("tarnwick-mkdb: %1 exists; an existing database is never overwritten")
                      .arg(QDir::toNativeSeparators(out)),
                  stderr);
        return 1;
    }
    const QString folder = QFileInfo(out).absolutePath();
    if (!QDir().mkpath(folder)) {
        printLine(QStringLiteral("tarnwick-mkdb: cannot create the folder %1").arg(QDir::toNativeSeparators(folder)),
                  stderr);
        return 1;
    }

    QString error;
    if (!tarnwick::dataset::buildShippedDatabase(out, parser.value(sourceOption), &error)) {
        printLine(QStringLiteral("tarnwick-mkdb: ") + error, stderr);
        return 1;
    }
    printLine(QStringLiteral("tarnwick-mkdb: wrote %1").arg(QDir::toNativeSeparators(out)), stdout);
    return 0;
}
