// The key filter of an edit field, one for every field that has one: what a
// typed key may put in, a paste or a drop may put in too, character by
// character, and nothing else. A paste of which no character would pass
// leaves the field as it was, selection included.
#pragma once

#include <QChar>
#include <QString>
#include <QValidator>

#include <functional>

class QLineEdit;

// What one typed character becomes in the field: itself, another character
// (an upper-case letter), or nothing (a null QChar) when its key is refused.
using KeyRule = std::function<QChar(QChar)>;

// "0" to "9", "A" to "F" and "a" to "f", as typed.
QChar HexDigitKey(QChar c);
// "0" to "9".
QChar DecimalDigitKey(QChar c);

class KeyFilterValidator : public QValidator {
    Q_OBJECT
public:
    // Filters edit's typed, pasted and dropped text through rule; the edit owns it.
    static KeyFilterValidator* Install(QLineEdit* edit, KeyRule rule);

    // Refuses a change that brings in a character the rule refuses, and turns
    // the brought-in characters into what the rule makes of them. Text the
    // field held before is not judged again. A field with an input mask
    // keeps typed keys to its own places already.
    State validate(QString& input, int& pos) const override;
    // Inserts the characters of text that the rule lets in, as if typed.
    void Insert(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilterValidator(QLineEdit* edit, KeyRule rule);

    QLineEdit* edit_;
    KeyRule rule_;
    QString last_;   // the field's text before the change being validated
};
