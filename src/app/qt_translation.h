#pragma once
// Qt's own texts (the buttons of message boxes, the file dialogs) in the
// language the settings name, when the desktop has Qt's translations for it.

#include <QTranslator>

#include <string>

class QtTranslation {
  public:
    /// Follows a language file's name ("Russian", "German": the English name
    /// of the language). Qt's texts take that language when a translation of
    /// Qt is installed for it, and are Qt's English otherwise.
    void follow(const std::string& languageName);

  private:
    QTranslator m_translator;
    std::string m_language;
};
