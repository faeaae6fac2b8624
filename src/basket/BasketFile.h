#pragma once

// The restore basket kept between sessions: one file a list in the per-user
// data folder, <dataFolder>/baskets/<sha256>.basket, named by the list's
// fingerprint (ListFingerprint.h), so that the basket comes back when the
// same bytes are opened again from any path. Beside the files, an index of
// the latest list paths and the fingerprint each one's basket was last saved
// under tells a list that was changed at its path since.
//
// A basket file is UTF-8 text, one item a line, each ended by '\n':
//   corvane-basket 1
//   sha256 <64 lower-case hexadecimal digits>
//   lines <the list's line count>
//   chosen <how many of them are chosen>
//   capacity <text>       the target settings as the user gave them and the
//   filesystem <text>     restore list last saved, percent-encoded UTF-8,
//   restore-list <text>   each possibly empty
//   ranges                then one "<first> <end>" a line: the stretches of
//   <first> <end>         chosen lines [first, end) in store order, ascending
//   end
// or, when it is shorter, "bitmap <base64>" in place of the ranges: a bit a
// line, line i being bit i % 8 of byte i / 8. Anything else is damage: such a
// file is ignored as a whole, never half taken.

#include "Basket.h"
#include "listfile/StateFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace corvane::basket {

// What the user gave for the restore, kept with the basket.
struct BasketSettings
{
    QString capacityText;    // the target's capacity as typed
    QString fileSystem;      // the target's file system as named
    QString restoreListPath; // the restore list last saved
    bool operator==(const BasketSettings &) const = default;
};

struct StoredBasket
{
    Basket basket;
    BasketSettings settings;
};

enum class BasketLoadProblem {
    None,
    NotSaved,   // no basket kept for this list (or no data folder)
    Damaged,    // not a basket file as this program writes it
    Unreadable, // the system refused to read it
    OtherList,  // a basket of another list: its SHA-256 or line count differ
};

struct BasketLoadResult
{
    std::optional<StoredBasket> stored; // when problem is None
    BasketLoadProblem problem = BasketLoadProblem::NotSaved;
    QString detail; // what is wrong, in English
    // What was found at the file's name when it was not read (a link, a
    // folder or a pipe, a file far too large: Damaged; Failed: Unreadable).
    StateFileProblem fileProblem = StateFileProblem::None;
};

struct BasketSaveResult
{
    bool ok = false;
    QString error; // why not, in English
};

// The longest setting text kept, in UTF-8 bytes.
inline constexpr qsizetype MaxBasketSettingBytes = 16384;
// The paths the index keeps, the latest saved first.
inline constexpr int BasketIndexPaths = 200;

QString basketFilePath(const QString &dataFolder, const QString &sha256);

// The basket file's bytes, and back. readBasketBytes takes only a basket
// of the list with this SHA-256 and line count.
QByteArray basketFileBytes(const QString &sha256, const Basket &basket,
                           const BasketSettings &settings);
BasketLoadResult readBasketBytes(QByteArrayView bytes, const QString &sha256, qsizetype lineCount);

// The basket kept for the list with this SHA-256 and line count.
BasketLoadResult loadBasket(const QString &dataFolder, const QString &sha256, qsizetype lineCount);

// Keeps basket and settings for the list with this SHA-256, opened at
// listPath, through a temporary file renamed over the old one (a failure
// leaves the old one as it was); an empty basket removes its file. The
// index then says listPath was last saved under sha256.
BasketSaveResult saveBasket(const QString &dataFolder, const QString &sha256,
                            const QString &listPath, const Basket &basket,
                            const BasketSettings &settings);

// True when the list at listPath had a basket saved under another SHA-256
// that is still kept: the list was changed there since. Asked when
// loadBasket found none saved for the list as it is now. A missing or
// damaged index says false (and is rewritten by the next save).
bool changedSinceSaved(const QString &dataFolder, const QString &listPath, const QString &sha256);

} // namespace corvane::basket
