#pragma once
// Renderer test helpers: geometry as the makers hand it over, and a
// calculation thread stand-in that records what the renderer sends and hands
// back whatever geometry the test gives it.

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <vector>

#include "render/calc_client.h"

namespace corvane::test {

// Two makers' lists as the calculation thread hands them over.
struct Scene {
  struct List {
    std::vector<VertexRecord> vertices;
    std::vector<int32_t> keys;
    std::vector<uint32_t> order;
  };
  List lists[2];

  Scene() = default;
  // Records given as {list, key, id}, each list in the order given.
  Scene(std::initializer_list<std::array<int, 3>> records) {
    for (const auto& [list, key, id] : records) Add(list, key, static_cast<float>(id));
  }

  // Appends a record to `list` (1 or 2) at the end of its drawing order.
  // Its first octahedron vertex has x = id, so draw calls reveal the order.
  void Add(int list, int32_t key, float id, float size = 0, const uint8_t (&color)[4] = kWhite) {
    List& l = lists[list - 1];
    VertexRecord r{};
    r.position[0] = id - size;
    r.axis1[0] = size;
    r.axis2[1] = size;
    r.axis3[2] = size;
    std::copy_n(color, 4, r.color);
    l.vertices.push_back(r);
    l.keys.push_back(key);
    l.order.push_back(static_cast<uint32_t>(l.vertices.size()));
  }
  MakeResult Result() const {
    return {lists[0].vertices.data(), lists[0].keys.data(), lists[0].order.data(),
            lists[1].vertices.data(), lists[1].keys.data(), lists[1].order.data(),
            static_cast<uint32_t>(lists[0].order.size()), static_cast<uint32_t>(lists[1].order.size())};
  }
  static constexpr uint8_t kWhite[4] = {255, 255, 255, 255};
};


class FakeCalcer : public CalcClient {
 public:
  void Tick(uint32_t count) override { ticks.push_back(count); }
  Ticket RequestMake(const double (&modelView)[16]) override {
    cameras.emplace_back();
    std::copy_n(modelView, 16, cameras.back().begin());
    return ++lastTicket;
  }
  MakeResult FetchMake(Ticket ticket) override {
    fetched.push_back(ticket);
    return geometry;
  }
  void SetParam(int number, double value) override { params[number] = value; }
  double GetParam(int number) override {
    auto found = params.find(number);
    return found == params.end() ? 0.0 : found->second;
  }

  std::vector<uint32_t> ticks;
  std::vector<Ticket> fetched;
  std::vector<std::array<double, 16>> cameras;  // handed to each RequestMake
  std::map<int, double> params;
  MakeResult geometry;  // what every FetchMake hands out
  Ticket lastTicket = 0;
};

}  // namespace corvane::test
