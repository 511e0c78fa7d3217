#pragma once
// Message boxes with texts from the string table, so tests can script the answers.
#include <string>

enum class MsgIcon { Error, Exclamation, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, RetryCancel };
// The platform's answer codes.
enum MsgAnswer {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerRetry = 4,
    kAnswerYes = 6,
    kAnswerNo = 7
};

class IMessages {
public:
    virtual ~IMessages() = default;
    // Shows string `stringId`; a "%s" or "%c" in it is filled with `argument`.
    virtual int Show(int stringId, MsgIcon icon, MsgButtons buttons,
                     const std::string& argument = {}) = 0;
    // Caption of every box from now on (the application name).
    virtual void SetCaption(const std::string& caption) = 0;
};

// The message text with its first "%s", "%c" or "%d" replaced by the argument ("%c" takes
// its first character); "%%" stays a percent sign.
std::string FillMessage(const std::string& format, const std::string& argument);
