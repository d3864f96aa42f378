#pragma once
#include <string>
#include <string_view>
#include <tinyxml2.h>

namespace ooxml {

// Parses a part. Text that consists of white space only (a typed blank in a run, "<w:t
// xml:space="preserve"> </w:t>") is kept: the XML parser would otherwise drop it. False when the
// bytes are not well-formed XML.
bool ParseXml(const std::string& bytes, tinyxml2::XMLDocument& doc);
// Why ParseXml refuses `bytes`, with the line of the fault where the parser knows it ("not
// well-formed XML at line 3 (XML_ERROR_MISMATCHED_ELEMENT)"); empty when it does not.
std::string XmlFault(const std::string& bytes);

// The part's bytes: an XML declaration (standalone, UTF-8) and the document without indentation.
std::string SerialiseXml(const tinyxml2::XMLDocument& doc);

// The same content printed the same way whatever the source's indentation and declaration, so two
// parts can be compared by meaning; empty when the bytes are not XML.
std::string NormaliseXml(const std::string& bytes);

// Appends `text` as XML character data or attribute value: cleaned as XmlSafeText does, markup
// characters become entities and a carriage return a character reference (a parser would turn a
// raw one into a line feed).
void AppendXmlEscaped(std::string& out, std::string_view text);

// Small helpers for the element trees of the parts.
tinyxml2::XMLElement* FirstChild(tinyxml2::XMLNode* parent, const char* name);
tinyxml2::XMLElement* AppendElement(tinyxml2::XMLNode* parent, const char* name);
// A child named `name`, created (as the first child when `first`) when there is none.
tinyxml2::XMLElement* EnsureChild(tinyxml2::XMLElement* parent, const char* name, bool first = false);

// Inserts `node` just before `reference` (a child of some parent).
void InsertBefore(tinyxml2::XMLNode* reference, tinyxml2::XMLNode* node);

} // namespace ooxml
