// Writes the tool's manual pages and shell completion at build time:
//   tarnwick-cli-docs man (en|zh) VERSION FILE
//   tarnwick-cli-docs (bash|zsh) FILE
#include "cli/completion.h"
#include "cli/manpage.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: tarnwick-cli-docs man (en|zh) VERSION FILE | (bash|zsh) FILE\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString text;
    QString path;
    if (args.size() == 4 && args[0] == QStringLiteral("man") &&
        (args[1] == QStringLiteral("en") || args[1] == QStringLiteral("zh"))) {
        text = tarnwick::cli::manPage(args[1] == QStringLiteral("en") ? tarnwick::cli::ManLanguage::English
                                                                      : tarnwick::cli::ManLanguage::Chinese,
                                      args[2]);
        path = args[3];
    } else if (args.size() == 2 && args[0] == QStringLiteral("bash")) {
        text = tarnwick::cli::bashCompletion();
        path = args[1];
    } else if (args.size() == 2 && args[0] == QStringLiteral("zsh")) {
        text = tarnwick::cli::zshCompletion();
        path = args[1];
    } else {
        return usage();
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "tarnwick-cli-docs: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
