#pragma once
#include <optional>
#include <string>
#include <tinyxml2.h>
#include <vector>

#include "Story.h"

namespace inkwright {

struct TextMatch {
    int paragraph = 0; // index into the story's paragraphs
    int start = 0;
    int end = 0;
};

struct FindOptions {
    bool matchCase = false;
    bool matchWholeWord = false;
};

// Every match in one paragraph, left to right. Text is matched over the paragraph's characters
// whatever runs the editor split it into; a match never spans two paragraphs.
std::vector<TextMatch> MatchesIn(XMLElement* paragraph, int index, const std::u32string& needle,
                                 const FindOptions& options);
// The first match that begins at or after `from`, continuing at the story's start when the end is
// reached; none when the text does not occur.
std::optional<TextMatch> FindNext(const std::vector<XMLElement*>& paragraphs, StoryPosition from,
                                  const std::u32string& needle, const FindOptions& options);
// Replaces one match with `replacement`, in the formatting of the match's first character.
// Returns the replacement's length in characters.
int ReplaceMatch(XMLElement* paragraph, const TextMatch& match, const std::string& replacement);

} // namespace inkwright
