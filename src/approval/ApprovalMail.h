#pragma once

// The approval e-mail: a mailto: URL addressed to the lab, with a subject that
// names the list the customer approves and a fixed confirmation text as body.
// The program sends nothing itself; the URL goes to the user's mail program.

#include <QString>

namespace corvane {

// Percent-encodes text for a mailto: URL. Letters, digits and
// - . / _ ~ & : ? # ! $ * + @ stay as they are; every other character becomes
// "%" and two upper-case hexadecimal digits per byte of its UTF-8 form (so a
// character outside ASCII gives two to four such triplets, as mail programs
// read them).
QString URLPathEncode(const QString &sThis);

// code (0 to 255) as exactly two upper-case hexadecimal digits.
QString Hex2(int iCode);

// The short name of a list as the subject gives it: the file name (after the
// last "/" or "\"), lower-cased, every ".csv" removed, and cut at the first
// "\" if one is left.
QString approvalListName(const QString &fileName);

// The lab's address the approval goes to (a build setting).
QString approvalAddress();

// The longest a URL may be once the mail handler has it: a URL longer than
// this is refused or cut by some handlers, so the list name is shortened.
constexpr int MaxApprovalUrlLength = 2000;

struct ApprovalMessage
{
    QString address; // the lab's address
    QString subject; // as the user reads it
    QString body;    // as the user reads it, with CR LF line ends
    QString url;     // mailto:address?subject=...&body=...&CC=

    // The three parts as plain text, for the clipboard; the address and the
    // subject after the words given (the user's language).
    QString plainText(const QString &toWord = QStringLiteral("To:"),
                      const QString &subjectWord = QStringLiteral("Subject:")) const;
};

// Builds the approval message for a list name (already derived with
// approvalListName; empty when no list is known). In the subject, letters,
// digits, spaces and - . _ ~ : stay as they are; every other character is
// percent-encoded (UTF-8): "&", "#", "%" and "+" would end or change the
// value, quotes, commas, "=" and ";" are syntax on a mail program's command
// line, and a new line must not end the URL. A name that would make the URL longer than
// MaxApprovalUrlLength in its fully encoded form is cut and ends in "...".
// note, when given, follows the fixed text as a paragraph of its own (the
// restore basket's words); a note that would leave no room for the subject
// is left out.
ApprovalMessage buildApprovalMessage(const QString &listName,
                                     const QString &address = approvalAddress(),
                                     const QString &note = {});

// The URL in the form a handler gets it: spaces and characters outside ASCII
// percent-encoded (UTF-8), everything already encoded left alone.
QString fullyEncodedUrl(const QString &url);

} // namespace corvane
