// Records the message boxes that the code under test shows natively, and answers them.
#pragma once

#include "framework/MessageBox.h"

#include <string>
#include <vector>

class MessageBoxRecorder {
public:
    struct Box {
        std::string text;
        std::string caption;
        unsigned style;
    };

    explicit MessageBoxRecorder(int answer = BoxIdOk) : m_answer(answer) { SetMessageBoxHook(&Record, this); }
    ~MessageBoxRecorder() { SetMessageBoxHook(nullptr, nullptr); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : m_boxes) texts.push_back(box.text);
        return texts;
    }

private:
    static int Record(const char* text, const char* caption, unsigned style, void* context) {
        auto* self = static_cast<MessageBoxRecorder*>(context);
        self->m_boxes.push_back({text, caption, style});
        return self->m_answer;
    }

    int m_answer;
    std::vector<Box> m_boxes;
};
