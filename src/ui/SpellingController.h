// SPDX-License-Identifier: MIT
// Spelling in the window: Options > Spelling lists the installed Hunspell dictionaries and None;
// the choice is remembered for each file (the last one for files without their own). The value
// box underlines the words the dictionary does not know, and its context menu offers
// corrections and Add to dictionary, which appends the word to the personal word list.
#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QActionGroup;
class QEvent;
class QMenu;
class QPoint;

namespace vste {
class HunspellChecker;
class WordChecker;
} // namespace vste

namespace vste::ui {

class SpellingHighlighter;
class SuggestionCache;
class TMainForm;

class SpellingController final : public QObject {
    Q_OBJECT

public:
    // Corrections offered in the context menu, best first.
    static constexpr int kSuggestions = 5;

    // Adds Options > Spelling before the menu's `before` item (appended when null).
    SpellingController(TMainForm& form, QAction* before);
    ~SpellingController() override;

    // The names of the dictionaries (NAME.aff and NAME.dic) of `folder`, sorted.
    static QStringList InstalledDictionaries(const QString& folder);
    // The personal word list: the words Add to dictionary appends, accepted with every dictionary.
    static QString DefaultPersonalFile();
    void setPersonalFile(const QString& fileName) { m_personalFile = fileName; }
    QString personalFile() const { return m_personalFile; }

    // The dictionary checking now, its corrections remembered; null for None.
    const WordChecker* checker() const;
    QString dictionaryName() const { return m_name; }
    // Chooses the dictionary `name` (empty: None) as the menu does, remembering the choice for
    // the open file. False, with the reason shown, when it cannot be loaded; None is then chosen.
    bool choose(const QString& name);
    QMenu* menu() const { return m_menu; }
    SpellingHighlighter* highlighter() const { return m_highlighter; }
    // The value box's context menu for viewport position `at`: corrections of the unknown word
    // there and Add to dictionary above the box's own items. The caller owns it.
    QMenu* createContextMenu(const QPoint& at);
    // Accepts `word` from now on and appends it to the personal word list; false (and the
    // reason shown) when the list cannot be written.
    bool addToDictionary(const QString& word);

signals:
    // The dictionary or its words changed: checks using checker() are out of date.
    void checkerChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenu(QAction* before);
    bool load(const QString& name);
    void documentOpened(const QString& fileName);
    void markChoice();
    void retranslate();

    TMainForm& m_form;
    std::unique_ptr<HunspellChecker> m_dictionary;
    std::unique_ptr<SuggestionCache> m_cache; // in front of m_dictionary, for everyone else
    QString m_name;
    QString m_personalFile;
    QMenu* m_menu = nullptr;
    QActionGroup* m_group = nullptr;
    QAction* m_none = nullptr;
    SpellingHighlighter* m_highlighter = nullptr;
    QPointer<QPlainTextEdit> m_box; // the value box, whose context menu offers corrections
};

} // namespace vste::ui
