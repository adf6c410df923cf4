#pragma once
// A small hierarchical registry of our own, standing in for the system registry's class root:
// keys separated by backslashes (names compared without regard to ASCII letter case), each with
// a default value (name "") and named string values. A key with subkeys cannot be deleted.
// Every change is written at once, atomically, to one file; a change that cannot be written is
// undone and reported as a failure.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva {

class RegistryStore {
 public:
  // The folder of the store files: $NORVA_REGISTRY_DIR, else $XDG_DATA_HOME/norva/registry,
  // else ~/.local/share/norva/registry.
  static std::filesystem::path defaultFolder();
  // The class-root store (file associations) in `folder`.
  static std::filesystem::path classesRootFile(const std::filesystem::path& folder);

  // Loads `file` if it exists. A file that exists but cannot be read or understood leaves the
  // store read-only (every change fails) so it is never overwritten by mistake.
  explicit RegistryStore(std::filesystem::path file);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  bool writable() const { return writable_; }

  // Creates the key and any missing parents; true when it exists afterwards.
  bool createKey(std::string_view path);
  bool keyExists(std::string_view path) const;
  // The key must exist.
  bool setValue(std::string_view path, std::string_view name, std::string_view value);
  std::optional<std::string> value(std::string_view path, std::string_view name) const;
  bool deleteValue(std::string_view path, std::string_view name);
  // Fails when the key does not exist or still has subkeys.
  bool deleteKey(std::string_view path);
  std::vector<std::string> subkeys(std::string_view path) const;

  // The file's text form and its reading (exposed for tests and the fuzz target).
  struct Node;
  static std::string serialize(const Node& root);
  static std::unique_ptr<Node> parse(std::string_view text);

 private:
  bool commit(std::unique_ptr<Node> before);

  std::filesystem::path file_;
  std::unique_ptr<Node> root_;
  bool writable_ = true;
};

struct RegistryStore::Node {
  std::string name;
  std::map<std::string, std::string> values;  // keys are the names as given; lookups ignore case
  std::vector<std::unique_ptr<Node>> children;

  Node* child(std::string_view childName) const;
  std::unique_ptr<Node> clone() const;
};

}  // namespace norva
