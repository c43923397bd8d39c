// SPDX-License-Identifier: MIT
// What the window remembers between runs: its size, position and maximised state, the
// positions of its splitter and docks, and the category last selected in each recent file.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace vste::ui {

class TMainForm;

class WindowState final : public QObject {
    Q_OBJECT

public:
    static constexpr int kRememberedFiles = 10;

    // Puts the window where it was at the end of the last run.
    explicit WindowState(TMainForm& form);

    // Stores the layout and the shown file's category; done whenever the window is hidden,
    // which closing does.
    void save();
    // The category remembered for `path`; empty when none.
    static QString rememberedCategory(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreLayout();
    void rememberCategory();
    void restoreCategory(const QString& path);

    TMainForm& m_form;
    bool m_layoutRestored = false;
};

} // namespace vste::ui
