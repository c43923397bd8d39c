// SPDX-License-Identifier: MIT
// The Russian interface: the engine's messages worded by the window (the same English as the
// engine's, a Russian text for each), and a walk through every dock and dialog that fails on any
// English the user would read.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <cerrno>
#include <cstring>
#include <random>

#include "UiTestSupport.h"
#include "checks/Rule.h"
#include "core/Errors.h"
#include "translation/Spelling.h"
#include "ui/AboutForm.h"
#include "ui/MessageText.h"
#include "ui/ProblemsController.h"
#include "ui/ProblemsModel.h"
#include "ui/SpellingController.h"

using namespace vste;
using namespace vste::ui;
using namespace vste::ui::test;

namespace {

// A message of `id` with distinct sample arguments, so that a swapped or dropped argument shows.
Message Sample(MessageId id) {
    Message message(id);
    if (id == MessageId::SystemError)
        return SystemReason(ENOENT);
    for (int k = 1; k <= ArgumentCount(id); ++k)
        message.args.push_back(QStringLiteral("‹%1%›").arg(k).toStdString());
    return message;
}

// A random tree of messages: verbatim texts (some holding %1), lists and worded ids.
Message RandomMessage(std::mt19937& rng, int depth) {
    const std::vector<MessageId>& ids = WordedMessageIds();
    const auto pick = rng() % 4;
    if (depth == 0 || pick == 0)
        return Message(std::string(rng() % 2 ? "%1 arg" : "имя ") + std::to_string(rng() % 100));
    Message message(pick == 1 ? MessageId::List : ids[rng() % ids.size()]);
    if (message.id == MessageId::SystemError)
        return SystemReason(EACCES);
    const int count =
        message.id == MessageId::List ? static_cast<int>(rng() % 4) : ArgumentCount(message.id);
    for (int k = 0; k < count; ++k)
        message.args.push_back(RandomMessage(rng, depth - 1));
    return message;
}

QStringList Placeholders(const QString& text) {
    QStringList found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%\\d")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

// What the user may read in Latin letters in the Russian interface: file names and patterns,
// URLs and e-mail addresses, keyboard shortcuts, the checks' rule ids, words in capitals (format
// names such as CSF, STR, XLSX, PO, XLIFF, CSV, TMX, abbreviations such as NUL, END, ANSI, VSTE,
// U+0000, 0xFF), and the proper names below: encodings, programs, games and their file formats,
// the maker. What remains must hold no Latin letter.
QString WithoutAllowed(QString text, const QStringList& fileNames) {
    for (const QString& name : fileNames)
        text.remove(name);
    static const QStringList kNames = {
        QStringLiteral("Unicode"),
        QStringLiteral("Windows"),
        QStringLiteral("Excel"),
        QStringLiteral("gettext"),
        QStringLiteral("English"),
        QStringLiteral("Russian"),
        QStringLiteral("Velmoran Studio"),
        QStringLiteral("Velmoran String Table Editor"),
        QStringLiteral("Nox"),
        QStringLiteral("Gen"),
        QStringLiteral("Empire at War"),
        QStringLiteral("Dune"),
        QStringLiteral("Westwood"),
        QStringLiteral("Liquid"),
        QStringLiteral("Blade Runner"),
        QStringLiteral("LoL2"),
        QStringLiteral("Malcolm's Revenge"),
        QStringLiteral("Fargus"),
    };
    for (const std::string_view rule : AllRuleIds())
        text.remove(QString::fromLatin1(rule.data(), static_cast<qsizetype>(rule.size())));
    static const QRegularExpression kPatterns[] = {
        QRegularExpression(QStringLiteral("<[^>]+>")), // markup of rich-text labels
        QRegularExpression(QStringLiteral("\\b(?:https?|mailto|file):\\S+")),
        // paths, with either separator
        QRegularExpression(
            QStringLiteral("(?<![\\w.])[/\\\\](?:[^\\s/\\\\]+[/\\\\])*[^\\s/\\\\:,)]+")),
        QRegularExpression(QStringLiteral("\\S+@\\S+")),
        QRegularExpression(QStringLiteral("\\b(?:Ctrl|Shift|Alt|Meta|Esc|Enter|Del|Tab)\\b")),
        QRegularExpression(QStringLiteral("\\*\\.\\w+")),
        QRegularExpression(QStringLiteral("\\b0x[0-9A-F]+\\b")),
        QRegularExpression(QStringLiteral("\\bU\\+[0-9A-F]{4,6}\\b")),
        QRegularExpression(QStringLiteral("\\b[A-Z][A-Z0-9]*(?:-[A-Z0-9]+)?\\b")),
    };
    for (const QString& name : kNames)
        text.remove(name);
    for (const QRegularExpression& pattern : kPatterns)
        text.remove(pattern);
    return text;
}

bool HasLatin(const QString& text) {
    static const QRegularExpression kLatin(QStringLiteral("[A-Za-z]"));
    return text.contains(kLatin);
}

} // namespace

class RussianTest : public WindowTest {
    Q_OBJECT

    QTranslator m_russian;
    QStringList m_fileNames;
    QStringList m_english; // every English text found, with where it was seen

    void check(const QString& where, const QString& text) {
        if (!text.isEmpty() && HasLatin(WithoutAllowed(text, m_fileNames)))
            m_english << where + QStringLiteral(": ") + text;
    }

    void checkModel(const QString& where, const QAbstractItemModel* model,
                    const QList<int>& dataColumns) {
        if (!model)
            return;
        for (int c = 0; c < model->columnCount(); ++c)
            check(where + QStringLiteral(" header"),
                  model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c : dataColumns)
                check(where, model->data(model->index(r, c)).toString());
    }

    // A column of fixed width narrower than its caption cuts it.
    void checkCut(QHeaderView* header) {
        if (header->orientation() != Qt::Horizontal || !header->model())
            return;
        for (int s = 0; s < header->count(); ++s) {
            const bool stretched = header->stretchLastSection() && s == header->count() - 1;
            if (!header->isSectionHidden(s) && !stretched &&
                header->sectionResizeMode(s) == QHeaderView::Interactive &&
                header->sectionSize(s) < header->sectionSizeHint(s))
                m_english << QStringLiteral("cut caption: ") +
                                 header->model()->headerData(s, Qt::Horizontal).toString();
        }
    }

    // The captions, buttons, tooltips, placeholders, headers and menus under `root`. Edit boxes'
    // contents are the document's data and are not looked at.
    void walk(QWidget* root) {
        const QString where = root->objectName();
        for (QWidget* w : root->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            check(name + QStringLiteral(" tooltip"), w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w))
                check(name, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                check(name, button->text());
            if (auto* box = qobject_cast<QGroupBox*>(w))
                check(name, box->title());
            if (auto* dock = qobject_cast<QDockWidget*>(w))
                check(name, dock->windowTitle());
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                check(name + QStringLiteral(" placeholder"), edit->placeholderText());
            if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int k = 0; k < combo->count(); ++k)
                    check(name, combo->itemText(k));
            if (auto* menu = qobject_cast<QMenu*>(w))
                check(name, menu->title());
            if (auto* view = qobject_cast<QAbstractItemView*>(w))
                checkModel(name, view->model(), {});
            if (auto* header = qobject_cast<QHeaderView*>(w))
                checkCut(header);
        }
        for (QAction* action : root->findChildren<QAction*>()) {
            check(action->objectName(), action->text());
            if (action->toolTip() != action->text())
                check(action->objectName() + QStringLiteral(" tooltip"), action->toolTip());
        }
        (void)where;
    }

    void trigger(const char* name) {
        QAction* action = find<QAction>(name);
        QVERIFY2(action, name);
        action->setEnabled(true);
        action->trigger();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() {
        prepareFolders();
        QVERIFY(m_russian.load(QStringLiteral(":/i18n/vste_ru.qm")));
    }

    void everyMessageIsWordedInEnglishAsTheEngineWordsIt() {
        for (const MessageId id : WordedMessageIds()) {
            const Message message = Sample(id);
            QCOMPARE(QString::fromUtf8(MessageText::source(id)),
                     QString::fromUtf8(EnglishPattern(id).data(),
                                       static_cast<qsizetype>(EnglishPattern(id).size())));
            QCOMPARE(MessageText::text(message), QString::fromStdString(EnglishText(message)));
        }
        // The system's reasons the window words itself are the C library's own words.
        // (ELOOP only where the C library words it: on Windows it never reaches the window.)
        for (const int err : {ENOENT, EACCES, EPERM, EISDIR, ENOTDIR, EEXIST, ENOSPC, EROFS,
#ifndef _WIN32
                              ELOOP,
#endif
                              ENAMETOOLONG, EIO, EBUSY})
            QCOMPARE(MessageText::text(SystemReason(err)),
                     QString::fromStdString(EnglishText(SystemReason(err))));
        // Nested messages and arguments that look like placeholders come out as the engine has
        // them.
        std::mt19937 rng(20261209);
        for (int k = 0; k < 2000; ++k) {
            const Message message = RandomMessage(rng, 3);
            QCOMPARE(MessageText::text(message), QString::fromStdString(EnglishText(message)));
        }
        // An error's wording comes from its message; any other exception's from what().
        QCOMPARE(MessageText::ofError(ReadError()), QStringLiteral("Stream read error"));
        QCOMPARE(MessageText::ofError(std::runtime_error("plain")), QStringLiteral("plain"));
    }

    void everyMessageHasARussianTextWithTheSameArguments() {
        QVERIFY(QCoreApplication::installTranslator(&m_russian));
        for (const MessageId id : WordedMessageIds()) {
            const QString english = QString::fromUtf8(MessageText::source(id));
            const QString russian = MessageText::pattern(id);
            const QString name = QString::fromLatin1(MessageIdName(id).data());
            if (id == MessageId::SystemError) {
                QCOMPARE(russian, english); // the system's own words, whatever they are
                continue;
            }
            QVERIFY2(russian != english, qPrintable(name));
            QVERIFY2(!HasLatin(WithoutAllowed(russian, {})), qPrintable(name + ": " + russian));
            QCOMPARE(Placeholders(russian), Placeholders(english));
        }
        QCOMPARE(MessageText::text(SystemReason(ENOENT)),
                 QStringLiteral("Нет такого файла или каталога."));
        QCOMPARE(MessageText::ofError(ReadError()), QStringLiteral("Ошибка чтения потока"));
        QCoreApplication::removeTranslator(&m_russian);
    }

    void theRussianWindowShowsNoEnglish();
};

void RussianTest::theRussianWindowShowsNoEnglish() {
    // Paths, the names of the tables as the project's panels and menus list them, and the
    // spelling dictionaries, listed by their file names.
    m_fileNames = {m_dir.path(), QDir::toNativeSeparators(m_dir.path()), QStringLiteral("т.csf"),
                   QStringLiteral("о.csf"), QStringLiteral("плохо.csf")};
    m_fileNames << SpellingController::InstalledDictionaries(
        QString::fromLatin1(kSystemDictionaries));
    // Names of digits, values in Cyrillic: what is left in Latin letters is the window's own.
    const std::vector<Entry> table = {
        {"1:1", {u"Привет %s"}, ""},
        {"1:1", {u"Ω"}, ""},
        {"1:2", {u""}, ""},
        {"2:1", {u" край"}, ""},
    };
    WriteCsf(path("т.csf"), table);
    WriteCsf(path("о.csf"), {{"1:1", {u"Здравствуй %d"}, ""}, {"3:1", {u"х"}, ""}});
    WriteBytes(path("плохо.csf"), QByteArray(" FSC\x03\0\0\0", 8));
    WriteBytes(path("текст.str"), QByteArray("A\0B", 3));
    ForgetRememberedWindow();
    TMainForm& form = newForm();
    form.FormShow();
    trigger("RussianUI");
    form.openFile(path("т.csf"), 1);
    check(QStringLiteral("status"), form.statusText());

    // Problems, Find, the reference with its filter bar, Compare.
    trigger("ProblemsAction");
    m_form->problems()->finishNow();
    checkModel(QStringLiteral("Problems"), m_form->problems()->model(),
               {ProblemsModel::SeverityColumn, ProblemsModel::MessageColumn});
    trigger("FindReplaceAction");
    m_log.files.push_back(FileChoice{path("о.csf"), 1});
    trigger("OpenReference");
    m_log.files.push_back(FileChoice{path("о.csf"), 1});
    trigger("CompareWith");
    // A project of the folder's tables, its two panels, and the Suggestions of a memory.
    m_log.files.push_back(FileChoice{path("т.csf"), 1});
    trigger("OpenProject");
    QTRY_VERIFY(m_form->findChild<QDockWidget*>(QStringLiteral("LanguagesDock"))
                    ->isVisibleTo(m_form.get()));
    m_log.files.push_back(std::nullopt);
    trigger("TranslationMemoryAction");
    m_form->findChild<QDockWidget*>(QStringLiteral("SuggestionsDock"))->show();
    walk(m_form.get());

    // Read errors, a refused save and the save question, file dialogs' filters.
    form.openFile(path("нет.csf"), 1);
    form.openFile(path("плохо.csf"), 1);
    form.openFile(path("текст.str"), 2);
    form.openFile(path("т.csf"), 1);
    m_log.files.push_back(FileChoice{path("т.str"), 2});
    trigger("Saveas1");
    m_log.files.push_back(std::nullopt);
    trigger("Open1");
    m_log.files.push_back(std::nullopt);
    trigger("ImportFromCSF1");
    QVERIFY(m_log.errors.size() >= 3);
    QVERIFY(!m_log.questions.isEmpty());
    for (const QString& text : m_log.errors + m_log.questions + m_log.actions)
        check(QStringLiteral("message"), text);
    for (const QString& caption : m_log.fileCaptions)
        check(QStringLiteral("file dialog"), caption);
    for (const QString& filter : m_log.openFilters + m_log.saveFilters)
        check(QStringLiteral("filter"), filter.section(QLatin1Char('|'), 0, 0));

    // The About window, but for the list of games, whose titles are names.
    QTimer::singleShot(0, [this] {
        auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
        if (!about)
            return;
        check(QStringLiteral("About title"), about->windowTitle());
        walk(about);
        about->close();
    });
    form.About1Click();

    trigger("EnglishUI");
    if (qEnvironmentVariableIsSet("VSTE_SHOW_TEXTS"))
        for (const QString& text : m_log.errors + m_log.questions + m_log.openFilters)
            qInfo("%s", qPrintable(text));
    for (const QString& text : m_english)
        qWarning("%s", qPrintable(text));
    QVERIFY(m_english.isEmpty());
}

QTEST_MAIN(RussianTest)
#include "RussianTest.moc"
