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
    explicit JsonStream(std::ostream& out) : m_out(out) {}

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

  private:
    void BeforeValue();
    void Indent(size_t depth);

    struct Level {
        bool empty = true;
    };
    std::ostream& m_out;
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
