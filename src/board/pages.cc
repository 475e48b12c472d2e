#include "board/pages.h"

#include <cstring>

#include "board/sectors.h"
#include "board/sha256.h"
#include "db/changes.h"
#include "tables/tables.h"

namespace zeb {
namespace {

using namespace std::literals;

// Pages load nothing from anywhere and send nothing anywhere: their own
// inline style and script, and requests to their own server only.
// Their policy allows exactly the style and the script below, by their
// hashes (made once, page_start).

constexpr std::string_view page_style =
    ""
    "body{font:15px/1.4 system-ui,sans-serif;margin:0 auto;padding:0 1em 2em;max-width:72em;"
    "background:#101418;color:#e8ecef}"
    "a{color:#8cc8ff;text-decoration:none}a:hover{text-decoration:underline}"
    "h1{font-size:1.4em;margin:.6em 0}h2{font-size:1.15em;margin:1.2em 0 .3em}"
    "table{border-collapse:collapse;width:100%;margin:.3em 0 1em}"
    "th,td{padding:.2em .5em;text-align:left;white-space:nowrap}"
    "th{color:#9aa5ad;font-weight:600;border-bottom:1px solid #39434b}"
    "tbody tr:nth-child(odd){background:#161c21}"
    "td,th{text-align:right;font-variant-numeric:tabular-nums}"
    "td:first-child,th:first-child,#ranking td:nth-child(2),#ranking th:nth-child(2),"
    ".rankings td:nth-child(2),.rankings th:nth-child(2),.rankings td:nth-child(4),"
    ".rankings th:nth-child(4),#ideal td:nth-child(3),#ideal th:nth-child(3){text-align:left}"
    "td.best{color:#c8a2ff;font-weight:700}"
    "tr.changed{animation:changed 5s ease-out}"
    "@keyframes changed{from{background:#5a4a00}to{background:transparent}}"
    "#filter{font:inherit;padding:.3em .5em;width:20em;max-width:100%}"
    "section.racer{display:none}section.racer:target{display:block}"
    "body:not(:has(section.racer:target)) section.racer{display:block}"
    ".muted{color:#9aa5ad}";

// Live updates. Served over http(s), the page polls version.txt twice a second
// and, when it differs from the version the page was written at (a change may
// come before the first poll), fetches itself and puts its new main#live in place
// (the filter and the scroll position stay); opened from disk, where a page
// may not read files, it reloads itself every second and keeps them across
// the reload.
// Rows whose text changed are marked for five seconds.
constexpr std::string_view page_script =
    "(function(){"
    "var b=document.body,f=document.getElementById('filter'),"
    "key='zeb:'+location.pathname;"
    "function rows(){var m={};document.querySelectorAll('#live tr[id]').forEach("
    "function(r){m[r.id]=r.textContent});return m}"
    "function mark(old){document.querySelectorAll('#live tr[id]').forEach(function(r){"
    "if(old[r.id]!==r.textContent)r.classList.add('changed')});"
    "setTimeout(function(){document.querySelectorAll('#live tr.changed').forEach("
    "function(r){r.classList.remove('changed')})},5000)}"
    "function filter(){if(!f)return;var q=f.value.toLowerCase();"
    "document.querySelectorAll('#live tr[data-f]').forEach(function(r){"
    "r.hidden=q!==''&&r.getAttribute('data-f').toLowerCase().indexOf(q)<0});"
    "document.querySelectorAll('#live section.track').forEach(function(s){"
    "s.hidden=!s.querySelector('tr[data-f]:not([hidden])')})}"
    "if(f)f.addEventListener('input',filter);"
    "if(location.protocol==='file:'){var s=null;"
    "try{s=JSON.parse(sessionStorage.getItem(key))}catch(e){}"
    "if(s){if(f)f.value=s.f;filter();window.scrollTo(s.x,s.y);"
    "if(s.v!==b.dataset.v)mark(s.rows)}"
    "setTimeout(function(){try{sessionStorage.setItem(key,JSON.stringify({f:f?f.value:'',"
    "x:scrollX,y:scrollY,v:b.dataset.v,rows:rows()}))}catch(e){}location.reload()},1000)"
    "}else{var v=b.dataset.v;setInterval(function(){"
    "fetch(b.dataset.root+'version.txt',{cache:'no-store'}).then(function(r){"
    "return r.ok?r.text():null}).then(function(t){if(t===null)return;t=t.trim();"
    "if(v===null){v=t;return}if(t===v)return;v=t;"
    "return fetch(location.pathname,{cache:'no-store'}).then(function(r){return r.text()})"
    ".then(function(h){var d=new DOMParser().parseFromString(h,'text/html'),"
    "n=d.getElementById('live');if(!n)return;var old=rows(),x=scrollX,y=scrollY;"
    "document.getElementById('live').replaceWith(document.adoptNode(n));"
    "b.dataset.v=d.body.dataset.v;filter();window.scrollTo(x,y);mark(old)})"
    "}).catch(function(){})},500)}"
    "})()";

const std::string& page_start() {
  static const std::string start =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src '" +
      csp_hash(page_script) + "'; style-src '" + csp_hash(page_style) +
      "'; connect-src 'self'; base-uri 'none'; form-action 'none'\">"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\"><title>";
  return start;
}

std::string_view short_track_code(RankingRef r) { return ShortTrackTable[r.track][r.short_track]; }
std::string_view car_code(RankingRef r) { return car_table[r.car].code; }

void append_upper(std::string& out, std::string_view code) {
  for (char c : code) out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The page's head up to its body: `title` is its own part of the title.
void begin_page(std::string& out, const BoardPageInfo& info, std::string_view root,
                std::string_view heading) {
  out += page_start();
  out += heading;
  if (!heading.empty()) out += " - "sv;
  append_html_utf8(out, info.title);
  out += "</title>"sv;
  out += "<style>"sv;
  out += page_style;
  out += "</style>"sv;
  out += "</head><body data-v=\""sv;
  append_number(out, static_cast<long>(info.version));
  out += "\" data-root=\""sv;
  out += root;
  out += "\"><header><h1><a href=\""sv;
  out += root;
  out += "index.html\">"sv;
  append_html_utf8(out, info.title);
  out += "</a></h1>"sv;
}

void end_page(std::string& out) {
  out += "</main>"sv;
  out += "<script>"sv;
  out += page_script;
  out += "</script>"sv;
  out += "</body></html>\n"sv;
}

void append_group_page_name(std::string& out, int group) {
  constexpr char hex[] = "0123456789abcdef";
  out += "racers/"sv;
  out += hex[group >> 4];
  out += hex[group & 0xF];
  out += ".html"sv;
}

void append_racer_link(std::string& out, std::string_view root, const char* racer) {
  out += "<a href=\""sv;
  out += root;
  append_group_page_name(out, racer_group(racer));
  out += "#r-"sv;
  append_hex(out, racer);
  out += "\">"sv;
  append_html(out, racer);
  out += "</a>"sv;
}

void append_gap(std::string& out, std::int32_t ms) {
  out += '+';
  append_time(out, ms);
}

void append_ranking_name(std::string& out, RankingRef r) {
  out += track_table[r.track].name;
  out += ' ';
  append_upper(out, short_track_code(r));
  out += ", "sv;
  out += car_table[r.car].name;
}

// Each ranking's page name, a quote and its name ("bl1-xrt.html\">Blackwood
// BL1, XR GT TURBO"), made once: every row of a racer's view links one.
const std::string& ranking_link(int index);

}  // namespace

RankingRef ranking_at(int index) {
  return {index / (car_count * short_track_slots), index / short_track_slots % car_count,
          index % short_track_slots};
}

std::string ranking_page_name(RankingRef r) {
  std::string name(short_track_code(r));
  name += '-';
  name += car_code(r);
  name += ".html";
  return name;
}

std::string racer_group_page_name(int group) {
  std::string name;
  append_group_page_name(name, group);
  return name;
}

namespace {

const std::string& ranking_link(int index) {
  static std::string links[ranking_slots];
  std::string& link = links[index];
  if (link.empty()) {
    RankingRef r = ranking_at(index);
    link = ranking_page_name(r) + "\">";
    append_ranking_name(link, r);
  }
  return link;
}

}  // namespace

void write_ranking_page(std::string& out, const BoardPageInfo& info, RankingRef r, Cell cell) {
  int count = entry_count(cell);
  std::string heading;
  append_ranking_name(heading, r);
  begin_page(out, info, "", heading);
  out += "</header><main id=\"live\"><h2>"sv;
  out += heading;
  out += "</h2><p class=\"muted\">"sv;
  append_number(out, count);
  out += count == 1 ? " entry"sv : " entries"sv;
  out += "</p>"sv;

  // The sectors of every entry; the ranking's columns are those of the
  // entries with the most sectors, and only those entries show them and take
  // part in the bests (a replay with fewer splits cut its lap differently).
  Sectors sectors[cell_size];
  int columns = 0;
  for (int p = 0; p < count; ++p) {
    sectors[p] = sectors_of(cell[p]);
    if (sectors[p].count > columns) columns = sectors[p].count;
  }
  int best[4] = {-1, -1, -1, -1};  // the entry holding each sector's best
  for (int p = 0; p < count; ++p) {
    if (sectors[p].count != columns) continue;
    for (int k = 0; k < columns; ++k)
      if (best[k] == -1 || sectors[p].ms[k] < sectors[best[k]].ms[k]) best[k] = p;
  }

  out +=
      "<table id=\"ranking\"><thead><tr><th>Place</th><th>Racer</th>"
      "<th>Time</th><th>Lap</th><th>Gap</th>"
      "<th>Ahead</th>";
  for (int k = 0; k < columns; ++k) {
    out += "<th>S"sv;
    append_number(out, k + 1);
    out += "</th>"sv;
  }
  out += "</tr></thead><tbody>"sv;
  for (int p = 0; p < count; ++p) {
    const LapRecord& e = cell[p];
    out += "<tr id=\"k-"sv;
    append_hex(out, e.racer);
    out += "\"><td>"sv;
    append_number(out, p + 1);
    out += "</td><td>"sv;
    append_racer_link(out, "", e.racer);
    out += "</td><td>"sv;
    append_html(out, e.slaptime);
    out += "</td><td>"sv;
    append_number(out, e.lapnum);
    out += "</td><td>"sv;
    if (p == 0)
      out += "-"sv;
    else
      append_gap(out, e.laptime - cell[0].laptime);
    out += "</td><td>"sv;
    if (p == 0)
      out += "-"sv;
    else
      append_gap(out, e.laptime - cell[p - 1].laptime);
    out += "</td>"sv;
    for (int k = 0; k < columns; ++k) {
      out += best[k] == p ? "<td class=\"best\">"sv : "<td>"sv;
      if (sectors[p].count == columns)
        append_time(out, sectors[p].ms[k]);
      else
        out += "-"sv;
      out += "</td>"sv;
    }
    out += "</tr>"sv;
  }
  out += "</tbody></table>"sv;

  if (columns > 0 && best[0] != -1) {
    std::int32_t ideal = 0;
    out +=
        "<h2>Ideal lap</h2><table id=\"ideal\"><thead><tr><th>Sector</th>"
        "<th>Best</th><th>Racer</th></tr></thead><tbody>";
    for (int k = 0; k < columns; ++k) {
      const Sectors& s = sectors[best[k]];
      ideal += s.ms[k];
      out += "<tr><td>S"sv;
      append_number(out, k + 1);
      out += "</td><td>"sv;
      append_time(out, s.ms[k]);
      out += "</td><td>"sv;
      append_racer_link(out, "", cell[best[k]].racer);
      out += "</td></tr>"sv;
    }
    out += "<tr id=\"ideal-lap\"><td>Ideal lap</td><td>"sv;
    append_lap_time(out, ideal);
    out += "</td><td></td></tr></tbody></table>"sv;
  }
  end_page(out);
}

void write_index_page(PageText& page, const BoardPageInfo& info, const Store& store) {
  std::string& out = page.text;
  begin_page(out, info, "", "");
  out +=
      "<input id=\"filter\" type=\"search\" placeholder=\"filter: racer, car, track\" "
      "autocomplete=\"off\"></header><main id=\"live\">";
  bool any = false;
  for (int t = 0; t < track_count; ++t) {
    bool track_begun = false;
    for (int s = 0; s < short_track_count(t); ++s) {
      for (int c = 0; c < car_count; ++c) {
        const LapRecord* cell = store[t][c][s];
        if (slot_is_empty(cell[0])) continue;
        RankingRef r{t, c, s};
        if (!track_begun) {
          out += "<section class=\"track\" id=\"t-"sv;
          out += track_table[t].code;
          out += "\"><h2>"sv;
          out += track_table[t].name;
          out +=
              "</h2><table class=\"rankings\"><thead><tr><th>Layout</th><th>Car</th>"
              "<th>Entries</th><th>Leader</th><th>Time</th>"
              "</tr></thead><tbody>";
          track_begun = true;
          any = true;
        }
        int count = 0;
        out += "<tr id=\"k-"sv;
        out += short_track_code(r);
        out += '-';
        out += car_code(r);
        out += "\" data-f=\""sv;
        out += track_table[t].name;
        out += ' ';
        out += short_track_code(r);
        out += ' ';
        out += car_code(r);
        out += ' ';
        out += car_table[c].name;
        for (; count < cell_size && !slot_is_empty(cell[count]); ++count) {
          out += "&#10;"sv;
          append_html(out, cell[count].racer);
        }
        out += "\"><td><a href=\""sv;
        out += ranking_page_name(r);
        out += "\">"sv;
        append_upper(out, short_track_code(r));
        out += "</a></td><td><a href=\""sv;
        out += ranking_page_name(r);
        out += "\">"sv;
        out += car_table[c].name;
        out += "</a></td><td>"sv;
        append_number(out, count);
        out += "</td><td>"sv;
        append_racer_link(out, "", cell[0].racer);
        out += "</td><td>"sv;
        append_html(out, cell[0].slaptime);
        out += "</td></tr>"sv;
        page.spill_when_large();
      }
    }
    if (track_begun) out += "</tbody></table></section>"sv;
  }
  if (!any) out += "<p class=\"muted\">No rankings yet.</p>"sv;
  end_page(out);
}

void write_racer_group_page(PageText& page, const BoardPageInfo& info,
                            std::span<const RacerEntry> entries, const Store& store) {
  std::string& out = page.text;
  begin_page(out, info, "../", "Racers");
  out += "</header><main id=\"live\">"sv;
  if (entries.empty()) out += "<p class=\"muted\">No racers here.</p>"sv;
  const char* racer = nullptr;
  std::uint64_t racer_hash = 0;
  std::string racer_hex;
  const LapRecord* first = &store[0][0][0][0];
  for (const RacerEntry& e : entries) {
    const LapRecord* cell = first + static_cast<std::size_t>(e.ranking) * cell_size;
    const LapRecord& entry = cell[e.position];
    if (racer == nullptr || e.name_hash != racer_hash) {
      if (racer != nullptr) out += "</tbody></table></section>"sv;
      racer = entry.racer;
      racer_hash = e.name_hash;
      racer_hex.clear();  // the section's rows' ids begin with it
      append_hex(racer_hex, racer);
      racer_hex += '-';
      out += "<section class=\"racer\" id=\"r-"sv;
      append_hex(out, racer);
      out += "\"><h2>"sv;
      append_html(out, racer);
      out +=
          "</h2><table><thead><tr><th>Ranking</th><th>Place</th>"
          "<th>Time</th><th>Gap</th></tr></thead><tbody>"sv;
      page.spill_when_large();
    }
    out += "<tr id=\"k-"sv;
    out += racer_hex;
    append_number(out, e.ranking);
    out += "\"><td><a href=\"../"sv;
    out += ranking_link(e.ranking);
    out += "</a></td><td>"sv;
    append_number(out, e.position + 1);
    out += "</td><td>"sv;
    append_html(out, entry.slaptime);
    out += "</td><td>"sv;
    if (e.position == 0)
      out += "-"sv;
    else
      append_gap(out, entry.laptime - cell[0].laptime);
    out += "</td></tr>"sv;
  }
  if (racer != nullptr) out += "</tbody></table></section>"sv;
  end_page(out);
}

void write_board_json(PageText& page, const BoardPageInfo& info, const Store& store) {
  std::string& out = page.text;
  out += "{\"version\":"sv;
  append_number(out, static_cast<long>(info.version));
  out += ",\"title\":"sv;
  append_json_utf8(out, info.title);
  out += ",\"rankings\":["sv;
  bool first_ranking = true;
  for (int t = 0; t < track_count; ++t) {
    for (int s = 0; s < short_track_count(t); ++s) {
      for (int c = 0; c < car_count; ++c) {
        const LapRecord* cell = store[t][c][s];
        if (slot_is_empty(cell[0])) continue;
        RankingRef r{t, c, s};
        out += first_ranking ? "\n{\"track\":\""sv : ",\n{\"track\":\""sv;
        first_ranking = false;
        out += track_table[t].code;
        out += "\",\"layout\":\""sv;
        out += short_track_code(r);
        out += "\",\"car\":\""sv;
        out += car_code(r);
        out += "\",\"track_name\":\""sv;
        out += track_table[t].name;
        out += "\",\"car_name\":\""sv;
        out += car_table[c].name;
        out += "\",\"page\":\""sv;
        out += ranking_page_name(r);
        out += "\",\"entries\":["sv;
        for (int p = 0; p < cell_size && !slot_is_empty(cell[p]); ++p) {
          const LapRecord& e = cell[p];
          out += p == 0 ? "\n{\"pos\":"sv : ",\n{\"pos\":"sv;
          append_number(out, p);
          out += ",\"racer\":"sv;
          append_json(out, e.racer);
          out += ",\"ms\":"sv;
          append_number(out, e.laptime);
          out += ",\"time\":"sv;
          append_json(out, e.slaptime);
          out += ",\"lap\":"sv;
          append_number(out, e.lapnum);
          Sectors sectors = sectors_of(e);
          out += ",\"splits\":["sv;
          for (int k = 0; k < sectors.split_count; ++k) {
            if (k > 0) out += ',';
            append_number(out, sectors.splits[k]);
          }
          out += "],\"sectors\":"sv;
          if (sectors.count == 0) {
            out += "null"sv;
          } else {
            out += '[';
            for (int k = 0; k < sectors.count; ++k) {
              if (k > 0) out += ',';
              append_number(out, sectors.ms[k]);
            }
            out += ']';
          }
          out += '}';
        }
        out += "]}"sv;
        page.spill_when_large();
      }
    }
  }
  out += "]}\n"sv;
}

}  // namespace zeb
