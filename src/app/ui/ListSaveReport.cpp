#include "ListSaveReport.h"

#include "WindowContext.h"

#include <QDir>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// Why a save failed, in the words of entry `text` picks.
QString saveFailureReason(const SaveListResult &result,
                          const std::function<QString(LangEntry)> &text)
{
    switch (result.reason) {
    case SaveListResult::Reason::DiskFull:
        return text(LangEntry::SaveDiskFull);
    case SaveListResult::Reason::NotRegularFile:
        return text(LangEntry::SaveNotRegularFile);
    case SaveListResult::Reason::Folder:
        return text(LangEntry::SaveIsFolder);
    case SaveListResult::Reason::BrokenLink:
        return text(LangEntry::SaveBrokenLink);
    case SaveListResult::Reason::NoFolder:
        return text(LangEntry::SaveNoFolder);
    case SaveListResult::Reason::ReadOnly:
        return text(LangEntry::SaveNotPermitted);
    case SaveListResult::Reason::None:
    case SaveListResult::Reason::Other:
        break;
    }
    return text(LangEntry::SaveSystemReported).arg(result.error);
}

} // namespace

QString saveFailureReason(WindowContext &context, const SaveListResult &result)
{
    return saveFailureReason(result,
                             [&context](LangEntry entry) { return context.langText(entry); });
}

QString fileNameSuffix(QString suffix)
{
    for (QChar &c : suffix) {
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' ||
            c == u'"' || c == u'<' || c == u'>' || c == u'|')
            c = u'_';
    }
    return suffix.left(40);
}

void reportListSave(WindowContext &context, const QString &path, const SaveListResult &result)
{
    const auto text = [&context](LangEntry entry) { return context.langText(entry); };
    QWidget *parent = context.promptParent();
    Prompts &prompts = context.prompts();
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.outcome) {
    case SaveListResult::Outcome::Saved:
        prompts.message(
            parent, text(LangEntry::ListSaved).arg(shown, context.formatCountShown(result.lines)),
            u"Corvane"_s, false);
        return;
    case SaveListResult::Outcome::WouldReplaceOpenFile:
        prompts.warning(parent, text(LangEntry::SaveOverOpenList).arg(shown), context.errorTitle(),
                        false);
        return;
    case SaveListResult::Outcome::Failed:
        prompts.warning(parent,
                        text(LangEntry::SaveFailed).arg(shown, saveFailureReason(result, text)),
                        context.errorTitle(), false);
        return;
    }
}

} // namespace corvane
