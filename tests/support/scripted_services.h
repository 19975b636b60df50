#pragma once

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "veltutil/platform/host/windows/file_dialog.h"
#include "veltutil/platform/host/windows/menu.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/windows/win_help.h"

// Scripted answers to the host's modal questions: each installs itself as the service, answers
// from a queue (`Unscripted` once the queue is empty), records every request, and restores the
// previous service when destroyed.

namespace velttest {

template <class Request, class Reply, std::function<Reply(const Request&)> (*Install)(std::function<Reply(const Request&)>),
          Reply (*Unscripted)(const Request&)>
class ScriptedService {
public:
    ScriptedService() : previous_(Install([this](const Request& request) { return reply(request); })) {}
    ~ScriptedService() { Install(std::move(previous_)); }
    ScriptedService(const ScriptedService&) = delete;
    ScriptedService& operator=(const ScriptedService&) = delete;

    void Answer(Reply answer) { answers_.push_back(std::move(answer)); }
    const std::vector<Request>& Requests() const { return requests_; }

private:
    Reply reply(const Request& request) {
        requests_.push_back(request);
        if (answers_.empty()) return Unscripted(request);
        Reply answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    std::deque<Reply> answers_;
    std::vector<Request> requests_;
    std::function<Reply(const Request&)> previous_;  // last: the queues exist before `this` is handed out
};

inline int defaultButton(const MessageBoxRequest& request) { return DefaultMessageBoxAnswer(request.type); }
inline FileDialogAnswer cancelled(const FileDialogRequest&) { return {}; }
inline UINT nothingChosen(const PopupMenuRequest&) { return 0; }
inline BOOL helpShown(const WinHelpRequest&) { return TRUE; }

}  // namespace velttest

// The default button once the queue is empty.
using ScriptedMessageBoxes =
    velttest::ScriptedService<MessageBoxRequest, int, &SetMessageBoxService, &velttest::defaultButton>;

// Nothing chosen once the queue is empty.
using ScriptedPopupMenus =
    velttest::ScriptedService<PopupMenuRequest, UINT, &SetPopupMenuService, &velttest::nothingChosen>;

// Every help request is shown successfully unless a FALSE answer was queued.
using RecordedHelpRequests =
    velttest::ScriptedService<WinHelpRequest, BOOL, &SetWinHelpService, &velttest::helpShown>;

// Cancelled once the queue is empty.
class ScriptedFileDialogs
    : public velttest::ScriptedService<FileDialogRequest, FileDialogAnswer, &SetFileDialogService, &velttest::cancelled> {
public:
    void Choose(const char* path) { Answer(FileDialogAnswer{IDOK, CString(path)}); }
    void Cancel() { Answer(FileDialogAnswer{}); }
};
