#include "cli/manpage.h"

#include "cli/commandtable.h"

#include <QRegularExpression>

namespace tarnwick::cli {

namespace {

struct Writer
{
    ManLanguage language;
    QString out;

    QString text(const HelpText& t) const { return QString::fromUtf8(language == ManLanguage::English ? t.en : t.zh); }

    // Plain text safe for roff: backslashes, minus signs and a leading
    // control character escaped. groff does not break lines between Chinese
    // characters by itself, so every one of them allows a break after it.
    static QString escaped(const QString& plain)
    {
        QString e;
        for (const QChar c : plain) {
            if (c == QLatin1Char('\\'))
                e += QStringLiteral("\\e");
            else if (c == QLatin1Char('-'))
                e += QStringLiteral("\\-");
            else
                e += c;
            const char16_t u = c.unicode();
            if ((u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
                e += QStringLiteral("\\:");
        }
        if (e.startsWith(QLatin1Char('.')) || e.startsWith(QLatin1Char('\'')))
            e.prepend(QStringLiteral("\\&"));
        return e;
    }

    // Options and command names in bold, the rest as it is.
    static QString marked(const QString& plain)
    {
        static const QRegularExpression option(QStringLiteral("(--[a-z][a-z-]*)"));
        QString m;
        qsizetype last = 0;
        for (auto it = option.globalMatch(plain); it.hasNext();) {
            const auto match = it.next();
            m += escaped(plain.mid(last, match.capturedStart() - last));
            m += QStringLiteral("\\fB") + escaped(match.captured(1)) + QStringLiteral("\\fR");
            last = match.capturedEnd();
        }
        m += escaped(plain.mid(last));
        if (m.startsWith(QLatin1Char('.')) || m.startsWith(QLatin1Char('\'')))
            m.prepend(QStringLiteral("\\&"));
        return m;
    }

    void line(const QString& l) { out += l + QLatin1Char('\n'); }
    void section(const HelpText& title) { line(QStringLiteral(".SH ") + text(title)); }
    void paragraph(const QString& plain) { line(marked(plain)); }
    void tagged(const QString& tagRoff, const QString& plain)
    {
        line(QStringLiteral(".TP"));
        line(tagRoff);
        paragraph(plain);
    }

    // "design --flow VALUE ..." with the command and the options in bold.
    QString synopsis(const HelpText& t) const
    {
        const QString plain = text(t);
        const qsizetype space = plain.indexOf(QLatin1Char(' '));
        const QString head = space < 0 ? plain : plain.left(space);
        const QString rest = space < 0 ? QString() : plain.mid(space);
        return QStringLiteral("\\fBtarnwick\\-cli ") + escaped(head) + QStringLiteral("\\fR") + marked(rest);
    }

    QString optionTag(const OptionSpec& option) const
    {
        QString tag = QStringLiteral("\\fB\\-\\-") + escaped(option.name) + QStringLiteral("\\fR");
        if (option.takesValue())
            tag += QStringLiteral(" \\fI") + escaped(text(option.value)) + QStringLiteral("\\fR");
        return tag;
    }

    QString optionHelp(const OptionSpec& option) const
    {
        QString help = text(option.help);
        if (!option.choices.isEmpty())
            help += QLatin1Char(' ') + text(texts::kChoices) + option.choices.join(QLatin1Char(' '));
        return help;
    }

    QString groupTitle(OptionGroup group) const
    {
        switch (group) {
        case OptionGroup::Duty:
            return text(texts::kDutyGroup);
        case OptionGroup::Units:
            return text(texts::kUnitGroup);
        case OptionGroup::Conditions:
            return text(texts::kConditionGroup);
        case OptionGroup::Speed:
            return text(texts::kSpeedGroup);
        case OptionGroup::Sheet:
            return text(texts::kSheetGroup);
        case OptionGroup::General:
            break;
        }
        return text(texts::kGeneralGroup);
    }

    void examples()
    {
        static const char* const lines[] = {
            "tarnwick-cli design --flow 50 --resistance 20 --static-head 0",
            "tarnwick-cli check --model IS65-50-160 --flow 25 --resistance 32 --static-head 0 --json",
            "tarnwick-cli design --flow 50 --resistance 20 --static-head 0 --fluid ethylene-glycol \\",
            "    --concentration 40 --temperature 4 --suction-pressure 30 --suction-pressure-unit Pa --trim",
            "tarnwick-cli select --flow 150 --resistance 24 --static-head 4 --control proportional \\",
            "    --duty-pumps 2 --standby-pumps 1 --explain --json",
            "tarnwick-cli sheet --variable-speed --all --flow 150 --resistance 24 --static-head 4 --pdf sets.pdf",
            "tarnwick-cli models --text IS65 --speed 2900 --json",
            "tarnwick-cli results --all --json",
            "tarnwick-cli report --all --pdf report.pdf --xlsx report.xlsx",
            "tarnwick-cli update-catalogue",
        };
        line(QStringLiteral(".nf"));
        for (const char* l : lines)
            line(escaped(QString::fromUtf8(l)));
        line(QStringLiteral(".fi"));
    }

    void serverExamples()
    {
        static const char* const lines[] = {
            "createdb -O admin tarnwick",
            "tarnwick-cli init-db postgresql://admin@host/tarnwick --with-catalogue --roles",
            "tarnwick-cli copy-db pumps.mdb postgresql://admin@host/tarnwick",
            "psql -c \"CREATE ROLE zhang LOGIN IN ROLE tarnwick_engineer\" tarnwick",
            "tarnwick-cli design --db postgresql://zhang@host/tarnwick --flow 50 --resistance 20 --static-head 0",
        };
        line(QStringLiteral(".PP"));
        line(QStringLiteral(".nf"));
        for (const char* l : lines)
            line(escaped(QString::fromUtf8(l)));
        line(QStringLiteral(".fi"));
    }
};

} // namespace

QString manPage(ManLanguage language, const QString& version)
{
    Writer w{language, {}};
    w.line(QStringLiteral(".TH TARNWICK\\-CLI 1 \"\" \"Tarnwick %1\" \"%2\"").arg(version, w.text(texts::kManTitle)));
    // Ragged right and no hyphens: option names stay whole, and Chinese
    // lines, which break between any two characters, are never stretched.
    w.line(QStringLiteral(".ad l"));
    w.line(QStringLiteral(".nh"));
    w.section(texts::kManName0);
    // One line, as whatis and apropos read it.
    w.line(QStringLiteral("tarnwick\\-cli \\- ") + Writer::escaped(w.text(texts::kManName)));

    w.section(texts::kManSynopsis);
    bool first = true;
    for (const CommandSpec& command : commandTable()) {
        for (const HelpText& synopsis : command.synopsis) {
            if (!first)
                w.line(QStringLiteral(".br"));
            w.line(w.synopsis(synopsis));
            first = false;
        }
    }

    w.section(texts::kManDescription0);
    w.paragraph(w.text(texts::kManDescription));
    w.line(QStringLiteral(".PP"));
    w.paragraph(w.text(texts::kManHelpNote));

    w.section(texts::kManCommands);
    for (const CommandSpec& command : commandTable()) {
        for (const HelpText& synopsis : command.synopsis)
            w.tagged(w.synopsis(synopsis), w.text(command.help));
    }

    w.section(texts::kManOptions);
    for (OptionGroup group : {OptionGroup::Duty, OptionGroup::Units, OptionGroup::Conditions, OptionGroup::Speed,
                              OptionGroup::Sheet, OptionGroup::General}) {
        w.line(QStringLiteral(".SS ") + Writer::escaped(w.groupTitle(group)));
        for (const OptionSpec& option : optionTable()) {
            if (option.group == group)
                w.tagged(w.optionTag(option), w.optionHelp(option));
        }
    }
    w.tagged(QStringLiteral("\\fB\\-\\-help\\fR"), w.text(texts::kHelp));

    w.section(texts::kManExit);
    w.tagged(QStringLiteral("\\fB0\\fR"), w.text(texts::kManExit0));
    w.tagged(QStringLiteral("\\fB1\\fR"), w.text(texts::kManExit1));
    w.tagged(QStringLiteral("\\fB2\\fR"), w.text(texts::kManExit2));

    w.section(texts::kManEnvironment);
    w.tagged(QStringLiteral("\\fBTARNWICK_DB\\fR"), w.text(texts::kManEnvDb));
    w.tagged(QStringLiteral("\\fBPGPASSWORD\\fR"), w.text(texts::kManEnvPassword));
    w.tagged(QStringLiteral("\\fBTERM\\fR"), w.text(texts::kManEnvTerm));

    w.section(texts::kManFiles);
    w.tagged(QStringLiteral("\\fI~/.config/tarnwick/tarnwick.conf\\fR"), w.text(texts::kManSettings));
    w.tagged(QStringLiteral("\\fI") + Writer::escaped(w.text(texts::kManPortablePath)) + QStringLiteral("\\fR"),
             w.text(texts::kManPortable));
    w.tagged(QStringLiteral("\\fI") + Writer::escaped(w.text(texts::kManUserPath)) + QStringLiteral("\\fR"),
             w.text(texts::kManUserDatabase));
    w.tagged(QStringLiteral("\\fI") + Writer::escaped(w.text(texts::kManShippedPath)) + QStringLiteral("\\fR"),
             w.text(texts::kManShipped));

    w.line(QStringLiteral(".SH \"") + w.text(texts::kManServer) + QLatin1Char('"'));
    w.paragraph(w.text(texts::kManServerText));
    w.serverExamples();

    w.section(texts::kManExamples);
    w.examples();

    w.section(texts::kManSeeAlso);
    w.line(QStringLiteral(".BR tarnwick (1),"));
    w.line(QStringLiteral(".BR createdb (1),"));
    w.line(QStringLiteral(".BR psql (1)"));
    return w.out;
}

} // namespace tarnwick::cli
