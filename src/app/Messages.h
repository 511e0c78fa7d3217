#pragma once
// Message boxes with texts from the string table, so tests can script the answers.
#include <string>
#include <vector>

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
    // The same with one argument per conversion of the text, in order.
    virtual int ShowArgs(int stringId, MsgIcon icon, MsgButtons buttons,
                         const std::vector<std::string>& arguments) {
        return Show(stringId, icon, buttons, arguments.empty() ? std::string() : arguments[0]);
    }
    // Caption of every box from now on (the application name).
    virtual void SetCaption(const std::string& caption) = 0;
};

// A text of the string table with its conversions filled in order: "%s" takes the next
// argument, "%c" its first character, "%d" (with flags and width, as in "%02d") its
// decimal value; "%%" is a percent sign. Conversions without an argument stay as they are,
// so a translation with fewer or more of them than the code expects still shows.
std::string FormatText(const std::string& format, const std::vector<std::string>& arguments);
// FormatText with one argument.
std::string FillMessage(const std::string& format, const std::string& argument);
