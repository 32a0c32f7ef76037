#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

/// The language whose English name is `name`; C (no translation) for any
/// other name, such as a file named after its translator.
QLocale::Language languageNamed(const QString& name) {
    for (int value = QLocale::AnyLanguage + 1; value <= QLocale::LastLanguage; ++value) {
        const auto language = static_cast<QLocale::Language>(value);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0)
            return language;
    }
    return QLocale::C;
}

}  // namespace

void QtTranslation::follow(const std::string& languageName) {
    if (languageName == m_language) return;
    m_language = languageName;
    QCoreApplication::removeTranslator(&m_translator);
    const QLocale::Language language = languageNamed(QString::fromStdString(languageName));
    if (language == QLocale::C || language == QLocale::English) return;
    if (m_translator.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_translator);
    }
}
