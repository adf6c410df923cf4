#include "base/service/registry_store.h"

#include <cstdlib>

#include "base/service/file_io.h"

namespace norva {
namespace {

constexpr std::string_view kMagic = "norva-registry 1";
constexpr uint64_t kMaxStoreBytes = 16u << 20;

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::vector<std::string_view> splitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

using Node = RegistryStore::Node;

Node* find(const Node& root, std::string_view path) {
  const Node* node = &root;
  for (auto part : splitPath(path)) {
    node = node->child(part);
    if (!node) return nullptr;
  }
  return const_cast<Node*>(node);
}

std::map<std::string, std::string>::const_iterator findValue(const Node& node,
                                                             std::string_view name) {
  for (auto it = node.values.begin(); it != node.values.end(); ++it)
    if (sameName(it->first, name)) return it;
  return node.values.end();
}

void serializeNode(const Node& node, const std::string& path, std::string& out) {
  if (!path.empty()) out += "K\t" + escape(path) + "\n";
  for (const auto& [name, value] : node.values)
    out += "V\t" + escape(name) + "\t" + escape(value) + "\n";
  for (const auto& child : node.children)
    serializeNode(*child, path.empty() ? child->name : path + "\\" + child->name, out);
}

}  // namespace

Node* Node::child(std::string_view childName) const {
  for (const auto& c : children)
    if (sameName(c->name, childName)) return c.get();
  return nullptr;
}

std::unique_ptr<Node> Node::clone() const {
  auto copy = std::make_unique<Node>();
  copy->name = name;
  copy->values = values;
  for (const auto& c : children) copy->children.push_back(c->clone());
  return copy;
}

std::filesystem::path RegistryStore::defaultFolder() {
  if (const char* dir = std::getenv("NORVA_REGISTRY_DIR"); dir && *dir) return dir;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::filesystem::path(data) / "norva" / "registry";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "norva" / "registry";
}

std::filesystem::path RegistryStore::classesRootFile(const std::filesystem::path& folder) {
  return folder / "classes_root.reg";
}

RegistryStore::RegistryStore(std::filesystem::path file)
    : file_(std::move(file)), root_(std::make_unique<Node>()) {
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) return;
  const ReadResult read = readWholeFile(file_, kMaxStoreBytes);
  std::unique_ptr<Node> loaded;
  if (read.status == ReadResult::Status::Ok)
    loaded = parse(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
  if (loaded)
    root_ = std::move(loaded);
  else
    writable_ = false;
}

RegistryStore::~RegistryStore() = default;

std::string RegistryStore::serialize(const Node& root) {
  std::string out(kMagic);
  out += '\n';
  serializeNode(root, "", out);
  return out;
}

std::unique_ptr<Node> RegistryStore::parse(std::string_view text) {
  auto root = std::make_unique<Node>();
  Node* current = root.get();
  bool first = true;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return nullptr;  // every line ends in a line feed
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (first) {
      if (line != kMagic) return nullptr;
      first = false;
      continue;
    }
    if (line.size() < 2 || line[1] != '\t') return nullptr;
    const std::string_view rest = line.substr(2);
    if (line[0] == 'K') {
      const auto path = unescape(rest);
      if (!path || splitPath(*path).empty()) return nullptr;
      current = root.get();
      for (auto part : splitPath(*path)) {
        Node* next = current->child(part);
        if (!next) {
          current->children.push_back(std::make_unique<Node>());
          next = current->children.back().get();
          next->name = std::string(part);
        }
        current = next;
      }
    } else if (line[0] == 'V') {
      const size_t tab = rest.find('\t');
      if (tab == std::string_view::npos) return nullptr;
      const auto name = unescape(rest.substr(0, tab));
      const auto value = unescape(rest.substr(tab + 1));
      if (!name || !value || findValue(*current, *name) != current->values.end()) return nullptr;
      current->values.emplace(*name, *value);
    } else {
      return nullptr;
    }
  }
  if (first) return nullptr;
  return root;
}

bool RegistryStore::commit(std::unique_ptr<Node> before) {
  std::error_code ec;
  std::filesystem::create_directories(file_.parent_path(), ec);
  if (writeFileAtomically(file_, serialize(*root_)).ok()) return true;
  root_ = std::move(before);
  return false;
}

bool RegistryStore::createKey(std::string_view path) {
  const auto parts = splitPath(path);
  if (parts.empty() || !writable_) return false;
  if (find(*root_, path)) return true;
  auto before = root_->clone();
  Node* node = root_.get();
  for (auto part : parts) {
    Node* next = node->child(part);
    if (!next) {
      node->children.push_back(std::make_unique<Node>());
      next = node->children.back().get();
      next->name = std::string(part);
    }
    node = next;
  }
  return commit(std::move(before));
}

bool RegistryStore::keyExists(std::string_view path) const {
  return !splitPath(path).empty() && find(*root_, path) != nullptr;
}

bool RegistryStore::setValue(std::string_view path, std::string_view name, std::string_view value) {
  Node* node = splitPath(path).empty() ? nullptr : find(*root_, path);
  if (!node || !writable_) return false;
  auto before = root_->clone();
  node = find(*root_, path);
  auto it = findValue(*node, name);
  if (it != node->values.end())
    node->values[it->first] = std::string(value);
  else
    node->values.emplace(std::string(name), std::string(value));
  return commit(std::move(before));
}

std::optional<std::string> RegistryStore::value(std::string_view path,
                                                std::string_view name) const {
  const Node* node = splitPath(path).empty() ? nullptr : find(*root_, path);
  if (!node) return std::nullopt;
  auto it = findValue(*node, name);
  if (it == node->values.end()) return std::nullopt;
  return it->second;
}

bool RegistryStore::deleteValue(std::string_view path, std::string_view name) {
  Node* node = splitPath(path).empty() ? nullptr : find(*root_, path);
  if (!node || !writable_) return false;
  auto it = findValue(*node, name);
  if (it == node->values.end()) return false;
  auto before = root_->clone();
  node = find(*root_, path);
  node->values.erase(findValue(*node, name));
  return commit(std::move(before));
}

bool RegistryStore::deleteKey(std::string_view path) {
  const auto parts = splitPath(path);
  if (parts.empty() || !writable_) return false;
  Node* node = find(*root_, path);
  if (!node || !node->children.empty()) return false;
  auto before = root_->clone();
  Node* parent = root_.get();
  for (size_t i = 0; i + 1 < parts.size(); ++i) parent = parent->child(parts[i]);
  std::erase_if(parent->children, [&](const auto& c) { return sameName(c->name, parts.back()); });
  return commit(std::move(before));
}

std::vector<std::string> RegistryStore::subkeys(std::string_view path) const {
  std::vector<std::string> names;
  const Node* node = splitPath(path).empty() ? root_.get() : find(*root_, path);
  if (node)
    for (const auto& c : node->children) names.push_back(c->name);
  return names;
}

}  // namespace norva
