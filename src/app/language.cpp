#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace Language {

namespace {

// The installed catalogues; the application keeps only pointers to them.
std::unique_ptr<QTranslator> g_program;
std::unique_ptr<QTranslator> g_qt;

void removeInstalled()
{
    for (std::unique_ptr<QTranslator> *translator : {&g_program, &g_qt}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
}

bool isEnglish(const QString &language)
{
    return language == QLatin1String("C")
           || (language.startsWith(QLatin1String("en"))
               && (language.size() == 2 || !language.at(2).isLetter()));
}

} // namespace

QStringList wanted()
{
    const QString forced = qEnvironmentVariable("TARNWICK_LANGUAGE");
    if (!forced.isEmpty())
        return {forced};
    return QLocale::system().uiLanguages();
}

QString use(const QStringList &languages)
{
    removeInstalled();
    for (const QString &language : languages) {
        if (isEnglish(language))
            return {};
        // "de-AT" looks for tarnwick_de_AT, then for tarnwick_de.
        auto program = std::make_unique<QTranslator>();
        if (!program->load(QStringLiteral(":/i18n/tarnwick_")
                           + QString(language).replace(QLatin1Char('-'), QLatin1Char('_'))))
            continue;
        const QString chosen = program->language();
        QCoreApplication::installTranslator(program.get());
        g_program = std::move(program);
        // Qt's own texts: standard buttons, the text fields' pop-up menu. Missing, they stay
        // English and the program's own texts still change.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_") + chosen,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            g_qt = std::move(qt);
        }
        return chosen;
    }
    return {};
}

} // namespace Language
