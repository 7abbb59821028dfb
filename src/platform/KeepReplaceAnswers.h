#pragma once
#include <QString>
#include <functional>

#include "platform/ReplaceKeep.h"

// The path an answer to the keep/replace question gives for an existing file: the path itself
// (replace), a free numbered name beside it (keep both), or "" (skipped or cancelled).
QString pathForAnswer(int answer, const QString& path);

// The keep/replace answers of one run. Every file the run writes is asked about when it is
// already there; "all" answers hold for the rest of the run.
class KeepReplaceAnswers {
public:
    // Asks the question about the path with that title and text; answers one of ReplaceKeep.
    using Prompt = std::function<int(const QString& path, const QString& title, const QString& text)>;
    explicit KeepReplaceAnswers(Prompt prompt) : m_prompt(std::move(prompt)) {}

    // The path to write: the path itself (replacing), a free numbered name (keeping both), or ""
    // when the file is skipped or the export was cancelled.
    QString pathToWrite(const QString& path);
    bool cancelledAll() const { return m_flag == ReplaceKeep::CancelAll; }

private:
    Prompt m_prompt;
    int m_flag = ReplaceKeep::Replace;
};
