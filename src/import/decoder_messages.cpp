#include "decoder_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <mutex>

namespace mosaren {

namespace {

thread_local DecoderMessages* tCurrent = nullptr;
QtMessageHandler gEarlierHandler = nullptr;

// Qt's messages on a thread that is reading a texture go to that texture; any other message as
// before.
void TakeQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (DecoderMessages* messages = tCurrent) {
        messages->Add(text.toStdString());
        return;
    }
    if (gEarlierHandler) {
        gEarlierHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().constData());
    }
}

void InstallQtHandlerOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] { gEarlierHandler = qInstallMessageHandler(TakeQtMessage); });
}

}  // namespace

DecoderMessages::DecoderMessages() : mOuter(tCurrent) {
    InstallQtHandlerOnce();
    tCurrent = this;
}

DecoderMessages::~DecoderMessages() { tCurrent = mOuter; }

DecoderMessages* DecoderMessages::Current() { return tCurrent; }

void DecoderMessages::Add(std::string message) {
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ' ||
                                message.back() == '\r')) {
        message.pop_back();
    }
    if (!message.empty()) mMessages.push_back(std::move(message));
}

std::string DecoderMessages::With(const std::string& reason) const {
    if (mMessages.empty()) return reason;
    std::string text = reason + " (";
    for (std::size_t i = 0; i < mMessages.size(); ++i) {
        if (i > 0) text += "; ";
        text += mMessages[i];
    }
    return text + ")";
}

}  // namespace mosaren
