// Answers the message boxes and dialogs that the test process shows, as a user would: a helper thread
// finds every visible top-level window of class "#32770" that belongs to this process, records its
// caption, its text (the static with id 0xFFFF), its buttons and whether it shows an icon, and then
// presses a button. Every wait is bounded, so a box that never closes marks the watcher stuck
// instead of hanging the test.
//
//   MessageBoxWatcher boxes;                 // presses OK
//   callThatMayShowMessages();
//   EXPECT_EQ(expectedTexts, boxes.Texts());
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxWatcher {
public:
    struct Box {
        std::string caption;
        std::string text;
        std::vector<int> buttons;  // ids of the visible command buttons (IDOK, IDCANCEL, ...)
        bool hasIcon = false;
    };
    using Answer = std::function<int(const Box&)>;

    explicit MessageBoxWatcher(int button = IDOK) : MessageBoxWatcher([button](const Box&) { return button; }) {}
    explicit MessageBoxWatcher(Answer answer) : m_answer(std::move(answer)), m_thread([this] { Run(); }) {}
    ~MessageBoxWatcher() {
        m_stop = true;
        m_thread.join();
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<Box> Boxes() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_boxes;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : Boxes()) texts.push_back(box.text);
        return texts;
    }

    // True once at least `count` boxes have been answered; gives up after timeoutMs.
    bool WaitForBoxes(size_t count, DWORD timeoutMs = 10000) const {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            if (Boxes().size() >= count) return true;
            Sleep(10);
        }
        return Boxes().size() >= count;
    }

    // A box was answered but did not close within the bounded wait.
    bool Stuck() const { return m_stuck; }

private:
    static constexpr DWORD kPollMs = 10;
    static constexpr DWORD kCloseWaitMs = 5000;

    struct Search {
        DWORD process;
        const std::vector<HWND>* ignored;
        HWND found;
    };

    static BOOL CALLBACK FindBox(HWND window, LPARAM param) {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != search->process || !IsWindowVisible(window)) return TRUE;
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) != "#32770") return TRUE;
        for (HWND ignored : *search->ignored) {
            if (ignored == window) return TRUE;
        }
        search->found = window;
        return FALSE;
    }

    static std::string TextOf(HWND window) {
        if (!window) return std::string();
        int length = GetWindowTextLengthA(window);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], length + 1)));
        return text;
    }

    static Box Read(HWND window) {
        Box box;
        box.caption = TextOf(window);
        box.text = TextOf(GetDlgItem(window, 0xFFFF));
        for (int id = IDOK; id <= IDCONTINUE; ++id) {
            HWND button = GetDlgItem(window, id);
            if (button && IsWindowVisible(button)) box.buttons.push_back(id);
        }
        // The icon static: id 20 on Windows, 1088 under Wine; it holds an icon only when one was asked for.
        for (int id : {20, 1088}) {
            HWND icon = GetDlgItem(window, id);
            if (icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0) box.hasIcon = true;
        }
        return box;
    }

    void Run() {
        std::vector<HWND> stuckWindows;
        while (!m_stop) {
            Search search = {GetCurrentProcessId(), &stuckWindows, nullptr};
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            if (!search.found) {
                Sleep(kPollMs);
                continue;
            }
            HWND window = search.found;
            Box box = Read(window);
            int button = m_answer(box);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_boxes.push_back(box);
            }
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
            // Wait for it to go, so that a later box reusing the handle is not taken for this one.
            DWORD waited = 0;
            while (IsWindow(window) && IsWindowVisible(window) && waited < kCloseWaitMs) {
                Sleep(kPollMs);
                waited += kPollMs;
            }
            if (IsWindow(window) && IsWindowVisible(window)) {
                m_stuck = true;
                stuckWindows.push_back(window);
            }
        }
    }

    Answer m_answer;
    mutable std::mutex m_mutex;
    std::vector<Box> m_boxes;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_stuck{false};
    std::thread m_thread;  // last: starts once everything else is ready
};
