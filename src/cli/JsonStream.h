#pragma once
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Writes JSON straight to a stream, laid out exactly as nlohmann's dump(1, ' ') lays out the same
// tree, so that an output of millions of samples never sits in memory as a tree. Object keys are
// written in the order given: callers give them sorted, as the tree would hold them.
class JsonStream {
  public:
    explicit JsonStream(std::ostream& out) : m_out(out) { m_text.reserve(kFlushAt + 4096); }
    ~JsonStream() { Flush(); }
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    // A small value or subtree.
    void Value(const nlohmann::json& value);
    // A stored float32: the shortest decimal that reads back to it, printed as the tree prints a
    // double (1800.0, 0.001, 1e+20); null when not finite.
    void Float(float value);
    void Bool(bool value);

    // Hands what is written so far to the stream; also done when the outermost value closes.
    void Flush();

  private:
    // Text gathers here and goes to the stream in large pieces: one stream call per value would
    // cost more than the value's text.
    static constexpr size_t kFlushAt = 1 << 16;
    void BeforeValue();
    void Indent(size_t depth);
    void Closed();

    struct Level {
        bool empty = true;
    };
    std::ostream& m_out;
    std::string m_text;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

// Writes the members of `members` (a small object) and, at the place its key sorts to, the member
// `streamedKey` whose value `streamValue` writes itself.
template <typename StreamValue>
void StreamObject(JsonStream& out, const nlohmann::json& members, std::string_view streamedKey,
                  StreamValue streamValue) {
    out.BeginObject();
    bool streamed = false;
    for (const auto& [key, value] : members.items()) {
        if (!streamed && std::string_view(key) > streamedKey) {
            out.Key(streamedKey);
            streamValue();
            streamed = true;
        }
        out.Key(key);
        out.Value(value);
    }
    if (!streamed) {
        out.Key(streamedKey);
        streamValue();
    }
    out.EndObject();
}

// The text the tree writer gives a double that came from a float32's shortest decimal.
std::string JsonFloatText(float value);
void AppendJsonFloat(std::string& out, float value);
