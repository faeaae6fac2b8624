#include "ApprovalMessageDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

QLineEdit *readOnlyLine(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

ApprovalMessageDialog::ApprovalMessageDialog(const ApprovalMessage &message, const Texts &texts,
                                             std::function<void(const QString &)> copy,
                                             QWidget *parent)
    : QDialog(parent), m_copy(std::move(copy))
{
    setObjectName(u"ApprovalMessage"_s);
    auto *layout = new QVBoxLayout(this);

    introLabel = new QLabel(this);
    introLabel->setObjectName(u"ApprovalIntro"_s);
    introLabel->setWordWrap(true);
    layout->addWidget(introLabel);

    auto *form = new QFormLayout;
    addressField = readOnlyLine(this, u"ApprovalAddress"_s);
    subjectField = readOnlyLine(this, u"ApprovalSubject"_s);
    bodyField = new QPlainTextEdit(this);
    bodyField->setObjectName(u"ApprovalBody"_s);
    bodyField->setReadOnly(true);
    bodyField->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    bodyField->setMinimumHeight(bodyField->fontMetrics().lineSpacing() * 5);
    m_toLabel = new QLabel(this);
    m_subjectLabel = new QLabel(this);
    m_messageLabel = new QLabel(this);
    form->addRow(m_toLabel, addressField);
    form->addRow(m_subjectLabel, subjectField);
    form->addRow(m_messageLabel, bodyField);
    layout->addLayout(form, 1);

    auto *buttons = new QHBoxLayout;
    copiedLabel = new QLabel(this);
    copiedLabel->setObjectName(u"ApprovalCopied"_s);
    buttons->addWidget(copiedLabel, 1);
    copyButton = new QPushButton(this);
    copyButton->setObjectName(u"ApprovalCopy"_s);
    closeButton = new QPushButton(this);
    closeButton->setObjectName(u"ApprovalClose"_s);
    closeButton->setDefault(true);
    buttons->addWidget(copyButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(copyButton, &QPushButton::clicked, this, [this] {
        if (m_copy)
            m_copy(m_texts.to.isEmpty() || m_texts.subject.isEmpty()
                       ? m_message.plainText()
                       : m_message.plainText(m_texts.to, m_texts.subject));
        copiedLabel->setText(m_texts.copied);
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    setTexts(texts);
    setMessage(message, texts.intro);
    for (QLabel *label : {introLabel, m_toLabel, m_subjectLabel, m_messageLabel, copiedLabel})
        label->setTextFormat(Qt::PlainText);
    resize(qMax(560, sizeHint().width()), sizeHint().height());
}

void ApprovalMessageDialog::setMessage(const ApprovalMessage &message, const QString &intro)
{
    m_message = message;
    m_texts.intro = intro;
    introLabel->setText(intro);
    addressField->setText(message.address);
    addressField->setCursorPosition(0);
    subjectField->setText(message.subject);
    subjectField->setCursorPosition(0);
    QString body = message.body;
    body.replace(u"\r\n"_s, u"\n"_s);
    bodyField->setPlainText(body.trimmed());
    copiedLabel->clear();
}

void ApprovalMessageDialog::setTexts(const Texts &texts)
{
    m_texts = texts;
    setWindowTitle(texts.title);
    introLabel->setText(texts.intro);
    m_toLabel->setText(texts.to);
    m_subjectLabel->setText(texts.subject);
    m_messageLabel->setText(texts.message);
    copyButton->setText(texts.copyAll);
    closeButton->setText(texts.close);
    if (!copiedLabel->text().isEmpty())
        copiedLabel->setText(texts.copied);
}

} // namespace corvane
