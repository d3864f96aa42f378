#pragma once
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A JSON object written by hand, members in the order they were added, numbers with a fixed number
// of decimals and "." always, so the truth file has the same bytes on every machine.
class JsonObject {
  public:
    void Number(const std::string& key, std::optional<double> value, int decimals = 3);
    void Integer(const std::string& key, long long value);
    void Unsigned(const std::string& key, unsigned long long value);
    void String(const std::string& key, const std::string& value);
    void IntegerArray(const std::string& key, const std::vector<int>& values);
    // {"fAngle": a, "fMag": m}, as the command line prints a point; null when unknown.
    void Point(const std::string& key, std::optional<std::pair<double, double>> point);
    void Object(const std::string& key, JsonObject value);

    std::string Text(int indent = 0) const;

  private:
    struct Member {
        std::string key;
        std::string scalar;                 // JSON text of a plain value
        std::shared_ptr<JsonObject> object; // or a nested object
    };
    std::vector<Member> m_members;
};
