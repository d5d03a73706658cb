#pragma once
// Test support: a host whose answers are scripted in advance and that
// records what the engine shows, and a loader from a storykit story.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/world/loader.h"
#include "storykit/story.h"
#include "storykit/story_writer.h"

namespace rux::test {

class ScriptedHost : public Host {
public:
    // Answers given in order; when a queue is empty the defaults apply
    // (Enter for paging, Escape for keys, cancel for file choices).
    std::deque<PagingAnswer> pagingAnswers;
    std::deque<int> keys;
    std::deque<std::optional<std::string>> fileNames;

    // What the engine showed or asked.
    int pagingPrompts = 0;
    int keyQuestions = 0;
    int beeps = 0;
    int repaints = 0;
    int statusRepaints = 0;
    int quits = 0;
    std::vector<FileChoice> fileChoices;
    std::vector<std::string> messages;
    std::vector<std::string> fatalErrors;
    std::vector<std::vector<std::string>> textBoxes;
    std::vector<std::string> diagnostics;

    PagingAnswer pagingPrompt() override {
        ++pagingPrompts;
        return take(pagingAnswers, PagingAnswer::Enter);
    }
    int readKey() override {
        ++keyQuestions;
        return take(keys, 27);
    }
    void beep() override { ++beeps; }
    std::optional<std::string> chooseFile(FileChoice kind, const std::string&) override {
        fileChoices.push_back(kind);
        return take(fileNames, std::optional<std::string>());
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void fatalError(const std::string& text) override { fatalErrors.push_back(text); }
    void showTextBox(const std::vector<std::string>& lines) override { textBoxes.push_back(lines); }
    void repaint() override { ++repaints; }
    void repaintStatusLine() override { ++statusRepaints; }
    void quit() override { ++quits; }
    void diagnosticText(const std::string& line) override { diagnostics.push_back(line); }

private:
    template <typename T>
    static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

// An engine with its own scripted host.
struct TestEngine {
    ScriptedHost host;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(host);

    Engine& operator*() { return *engine; }
    Engine* operator->() { return engine.get(); }
    World& world() { return engine->world; }
};

// Writes the story and loads the bytes into a fresh engine.
inline std::unique_ptr<TestEngine> loadTestStory(const storykit::Story& story) {
    auto test = std::make_unique<TestEngine>();
    const std::vector<uint8_t> bytes = storykit::writeStory(story);
    loadStoryBytes(*test->engine, bytes, "test.vux");
    return test;
}

}  // namespace rux::test
