#include "platform/forms/KeyFilter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>

QChar HexDigitKey(QChar c)
{
    const char16_t u = c.unicode();
    const bool hex = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
    return hex ? c : QChar();
}

QChar DecimalDigitKey(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9' ? c : QChar();
}

KeyFilterValidator::KeyFilterValidator(QLineEdit* edit, KeyRule rule)
    : QValidator(edit), edit_(edit), rule_(std::move(rule)), last_(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
}

KeyFilterValidator* KeyFilterValidator::Install(QLineEdit* edit, KeyRule rule)
{
    auto* filter = new KeyFilterValidator(edit, std::move(rule));
    edit->setValidator(filter);
    edit->installEventFilter(filter);
    return filter;
}

QValidator::State KeyFilterValidator::validate(QString& input, int&) const
{
    if (!edit_->inputMask().isEmpty()) return Acceptable;
    // The changed part: what lies between the text kept at the start and at the end.
    qsizetype head = 0;
    while (head < input.size() && head < last_.size() && input[head] == last_[head]) ++head;
    qsizetype tail = 0;
    while (tail < input.size() - head && tail < last_.size() - head &&
           input[input.size() - 1 - tail] == last_[last_.size() - 1 - tail])
        ++tail;
    for (qsizetype i = head; i < input.size() - tail; ++i) {
        const QChar c = rule_(input[i]);
        if (c.isNull()) return Invalid;
        input[i] = c;
    }
    return Acceptable;
}

void KeyFilterValidator::Insert(const QString& text)
{
    QString kept;
    for (QChar c : text)
        if (const QChar k = rule_(c); !k.isNull()) kept += k;
    if (!kept.isEmpty()) edit_->insert(kept);
}

// Every way text arrives besides a typed key: the paste keys, the context
// menu's Paste, the middle button's selection paste, and a drop.
bool KeyFilterValidator::eventFilter(QObject* watched, QEvent* event)
{
    // Only these events look at the edit: others come also while it is
    // being destroyed.
    const QEvent::Type type = event->type();
    if (watched != edit_ || (type != QEvent::KeyPress && type != QEvent::ContextMenu &&
                             type != QEvent::MouseButtonRelease && type != QEvent::Drop) ||
        edit_->isReadOnly())
        return QValidator::eventFilter(watched, event);
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (type) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) break;
        Insert(clipboard->text());
        return true;
    case QEvent::ContextMenu: {
        std::unique_ptr<QMenu> menu(edit_->createStandardContextMenu());
        const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction* action : menu->actions()) {
            if (!action->text().startsWith(paste)) continue;
            action->disconnect();
            connect(action, &QAction::triggered, this, [this, clipboard] { Insert(clipboard->text()); });
        }
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            break;
        Insert(clipboard->text(QClipboard::Selection));
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasText()) break;
        edit_->setCursorPosition(edit_->cursorPositionAt(drop->position().toPoint()));
        Insert(drop->mimeData()->text());
        drop->acceptProposedAction();
        return true;
    }
    default:
        break;
    }
    return QValidator::eventFilter(watched, event);
}
