// SPDX-License-Identifier: MIT
#include "ui/SpellingController.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>

#include "translation/Spelling.h"
#include "ui/AnsiText.h"
#include "ui/MainForm.h"
#include "ui/Settings.h"
#include "ui/SpellingHighlighter.h"
#include "ui/SuggestionCache.h"

namespace vste::ui {

namespace {

QString AbsolutePath(const QString& fileName) {
    return fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
}

// Whether a file ends in something other than a line break, so the next word needs one first.
bool EndsInsideALine(const QString& fileName) {
    QFile file(fileName);
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly) || !file.seek(file.size() - 1))
        return false;
    return file.read(1) != "\n";
}

} // namespace

SpellingController::SpellingController(TMainForm& form, QAction* before)
    : QObject(&form), m_form(form), m_personalFile(DefaultPersonalFile()) {
    setObjectName(QStringLiteral("SpellingController"));
    m_highlighter = new SpellingHighlighter(form.EditorMemo->document());
    createMenu(before);
    m_box = form.EditorMemo;
    form.EditorMemo->installEventFilter(this);
    form.EditorMemo->viewport()->installEventFilter(this);
    connect(&form, &TMainForm::documentOpened, this,
            [this](const QString& fileName) { documentOpened(fileName); });
    load(Settings::spellingDictionary({}).value_or(QString()));
    markChoice();
    retranslate();
}

SpellingController::~SpellingController() = default;

QStringList SpellingController::InstalledDictionaries(const QString& folder) {
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& dic : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files)) {
        const QString name = dic.completeBaseName();
        if (QFileInfo(dir.filePath(name + QStringLiteral(".aff"))).isFile())
            names << name;
    }
    names.sort();
    return names;
}

QString SpellingController::DefaultPersonalFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/personal-words.txt");
}

const WordChecker* SpellingController::checker() const {
    return m_cache.get();
}

void SpellingController::createMenu(QAction* before) {
    m_menu = new QMenu(m_form.Options1);
    m_menu->setObjectName(QStringLiteral("SpellingMenu"));
    m_menu->menuAction()->setObjectName(QStringLiteral("SpellingMenuAction"));
    m_form.Options1->insertMenu(before, m_menu);
    m_menu->installEventFilter(this);
    m_group = new QActionGroup(m_menu);
    const auto add = [this](const QString& name, const QString& objectName) {
        auto* action = new QAction(name, m_menu);
        action->setObjectName(objectName);
        action->setCheckable(true);
        action->setData(name);
        m_group->addAction(action);
        m_menu->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, action] { choose(action->data().toString()); });
        return action;
    };
    m_none = add(QString(), QStringLiteral("SpellingNone"));
    m_menu->addSeparator();
    for (const QString& name : InstalledDictionaries(QString::fromLocal8Bit(kSystemDictionaries)))
        add(name, QStringLiteral("Spelling_") + name);
}

bool SpellingController::choose(const QString& name) {
    const bool loaded = load(name);
    const OpenDocument* open = m_form.openDocument();
    Settings::setSpellingDictionary(AbsolutePath(open ? open->fileName() : QString()), m_name);
    markChoice();
    return loaded;
}

bool SpellingController::load(const QString& name) {
    if (name == m_name && (name.isEmpty() == !m_dictionary))
        return true;
    std::unique_ptr<HunspellChecker> dictionary;
    if (!name.isEmpty()) {
        try {
            dictionary = std::make_unique<HunspellChecker>(kSystemDictionaries, name.toStdString());
            if (QFileInfo(m_personalFile).isFile())
                for (std::u16string& word : ReadWordList(m_personalFile.toStdString()))
                    dictionary->accept(std::move(word));
        } catch (const std::exception& e) {
            m_form.dialogs().error(&m_form,
                                   tr("The spelling dictionary %1 could not be loaded:\n%2")
                                       .arg(name, QString::fromStdString(e.what())));
            dictionary.reset();
        }
    }
    // The highlighter and the checks let go of the old dictionary before it goes.
    auto cache = dictionary ? std::make_unique<SuggestionCache>(*dictionary) : nullptr;
    m_highlighter->setChecker(cache.get());
    m_cache = std::move(cache);
    m_dictionary = std::move(dictionary);
    m_name = m_dictionary ? name : QString();
    emit checkerChanged();
    return m_dictionary || name.isEmpty();
}

void SpellingController::documentOpened(const QString& fileName) {
    load(Settings::spellingDictionary(AbsolutePath(fileName)).value_or(QString()));
    markChoice();
}

void SpellingController::markChoice() {
    for (QAction* action : m_group->actions())
        action->setChecked(action->data().toString() == m_name);
}

QMenu* SpellingController::createContextMenu(const QPoint& at) {
    QPlainTextEdit* box = m_form.EditorMemo;
    QMenu* menu = box->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("ValueBoxMenu"));
    const QTextCursor cursor = box->cursorForPosition(at);
    const QTextBlock block = cursor.block();
    const std::optional<WordSpan> word =
        m_highlighter->unknownWordAt(block, cursor.positionInBlock());
    if (!word || !m_dictionary || box->isReadOnly())
        return menu;
    const QString text =
        block.text().mid(static_cast<qsizetype>(word->begin), static_cast<qsizetype>(word->length));
    const int position = block.position() + static_cast<int>(word->begin);
    QAction* first = menu->actions().value(0);
    const auto suggestions = m_cache->suggestions(QStringToU16(text), kSuggestions);
    for (const std::u16string& suggestion : suggestions) {
        auto* action = new QAction(U16ToQString(suggestion), menu);
        action->setObjectName(QStringLiteral("SpellingSuggestion"));
        menu->insertAction(first, action);
        connect(action, &QAction::triggered, box, [box, position, text, action] {
            // Replaced as typed text: one Undo of the box takes it back.
            QTextCursor replace(box->document());
            replace.setPosition(position);
            replace.setPosition(position + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
            if (replace.selectedText() != text)
                return;
            replace.insertText(action->text());
            box->setTextCursor(replace);
        });
    }
    if (suggestions.empty()) {
        auto* none = new QAction(tr("No suggestions"), menu);
        none->setObjectName(QStringLiteral("NoSpellingSuggestions"));
        none->setEnabled(false);
        menu->insertAction(first, none);
    }
    auto* add = new QAction(tr("Add to dictionary"), menu);
    add->setObjectName(QStringLiteral("AddToDictionaryAction"));
    connect(add, &QAction::triggered, this, [this, text] { addToDictionary(text); });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
    return menu;
}

bool SpellingController::addToDictionary(const QString& word) {
    if (!m_dictionary || word.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(m_personalFile).absolutePath());
    const bool breakFirst = EndsInsideALine(m_personalFile);
    QFile file(m_personalFile);
    const QByteArray line = (breakFirst ? QByteArray("\n") : QByteArray()) + word.toUtf8() + '\n';
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size() ||
        !file.flush()) {
        m_form.dialogs().error(
            &m_form,
            tr("The word could not be added to %1:\n%2").arg(m_personalFile, file.errorString()));
        return false;
    }
    m_dictionary->accept(QStringToU16(word));
    m_highlighter->rehighlight();
    emit checkerChanged();
    return true;
}

bool SpellingController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange && watched == m_menu)
        retranslate();
    // Only a context menu touches the value box: other events also come while the window is
    // being destroyed, when its members are gone.
    if (event->type() != QEvent::ContextMenu || !m_dictionary || !m_box)
        return QObject::eventFilter(watched, event);
    QPlainTextEdit* box = m_box;
    if (watched == box || watched == box->viewport()) {
        // The mouse asks about the word under it (on the viewport), the menu key about the word
        // at the text cursor (on the box itself).
        const auto* request = static_cast<QContextMenuEvent*>(event);
        QPoint at = request->pos();
        if (request->reason() == QContextMenuEvent::Keyboard)
            at = box->cursorRect().center();
        else if (watched == box)
            at = box->viewport()->mapFrom(box, at);
        const std::unique_ptr<QMenu> menu(createContextMenu(at));
        menu->exec(request->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SpellingController::retranslate() {
    m_menu->setTitle(tr("Spelling"));
    m_none->setText(tr("None"));
}

} // namespace vste::ui
