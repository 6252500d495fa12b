// The timeline page of ombrel-live. Everything it shows comes from the
// session's state, pushed by the server as events; everything it does is a
// command line of the control channel, posted to /command. Two pages open at
// once, and the window's keys, therefore stay in step.
"use strict";

const timeline = document.getElementById("timeline");
const framesGraph = document.getElementById("frames");
let state = null;        // the last state the session sent
let stateAt = 0;         // when it came (performance.now())
let peaks = null;        // {length, peaks: [[min, max], ...]}
let drag = null;         // a press on the timeline until it is let go

// ---- Commands

async function send(line) {
  const answer = document.getElementById("answer");
  try {
    const response = await fetch("command", {method: "POST", body: line});
    const text = await response.text();
    answer.textContent = line + ": " + text;
    answer.classList.toggle("error", !response.ok || text.startsWith("error"));
    return text;
  } catch (e) {
    answer.textContent = line + ": " + e;
    answer.classList.add("error");
    return "error: " + e;
  }
}

function seconds(value) { return Math.max(0, value).toFixed(4); }

// ---- Time and place on the canvas

function length() {
  if (state && state.length > 0) return state.length;
  if (peaks && peaks.length > 0) return peaks.length;
  return 1;
}

function timeAtX(x) { return Math.min(length(), Math.max(0, x / timeline.clientWidth * length())); }
function xAtTime(t, width) { return t / length() * width; }

// The time the clock shows now: the last state's, run on while it plays.
function nowTime() {
  if (!state) return 0;
  let t = state.time;
  if (state.playing && !state.atEnd) {
    t += (performance.now() - stateAt) / 1000 * (state.speed || 1);
    if (state.loop && t >= state.loop.end) {
      t = state.loop.start + (t - state.loop.start) % (state.loop.end - state.loop.start);
    }
    t = Math.min(t, length());
  }
  return t;
}

function beatSeconds() { return state && state.tempo ? 60 / state.tempo.bpm : 0; }

// A time put on the nearest beat or frame, as the snap switch says.
function snapped(t) {
  const snap = state ? state.snap : "off";
  if (snap === "beats" && beatSeconds() > 0) {
    const beat = beatSeconds(), offset = state.tempo.offset;
    return Math.max(0, offset + Math.round((t - offset) / beat) * beat);
  }
  if (snap === "frames" && state.frameRate > 0) {
    return Math.round(t * state.frameRate) / state.frameRate;
  }
  return t;
}

// ---- Drawing

function draw() {
  const ratio = window.devicePixelRatio || 1;
  const width = Math.round(timeline.clientWidth * ratio), height = Math.round(timeline.clientHeight * ratio);
  if (timeline.width !== width || timeline.height !== height) {
    timeline.width = width;
    timeline.height = height;
  }
  const g = timeline.getContext("2d");
  g.clearRect(0, 0, width, height);
  const flags = 18 * ratio, middle = flags + (height - flags) / 2, half = (height - flags) / 2 - 2;

  if (state && state.loop) {
    const a = xAtTime(state.loop.start, width), b = xAtTime(state.loop.end, width);
    g.fillStyle = "rgba(70, 130, 200, 0.25)";
    g.fillRect(a, 0, b - a, height);
  }
  if (drag && drag.moved && !drag.marker) {
    const a = Math.min(drag.x, drag.lastX) * ratio, b = Math.max(drag.x, drag.lastX) * ratio;
    g.fillStyle = "rgba(240, 200, 80, 0.25)";
    g.fillRect(a, 0, b - a, height);
  }
  drawBeats(g, width, height, flags);
  drawWaveform(g, width, middle, half);
  drawMarkers(g, width, height, flags, ratio);

  const x = Math.round(xAtTime(nowTime(), width));
  g.fillStyle = "#ff5050";
  g.fillRect(x - ratio, 0, 2 * ratio, height);
  drawClock();
  requestAnimationFrame(draw);
}

// The waveform in one colour of its own (the tests find the music's clicks
// by it): each pixel column the widest peak of its columns.
function drawWaveform(g, width, middle, half) {
  if (!peaks || peaks.peaks.length === 0) return;
  const columns = peaks.peaks, scale = peaks.length / length();
  g.fillStyle = "rgb(90, 200, 120)";
  for (let x = 0; x < width; ++x) {
    const from = Math.floor(x / width / scale * columns.length);
    const to = Math.max(from + 1, Math.floor((x + 1) / width / scale * columns.length));
    let low = 0, high = 0;
    for (let i = from; i < to && i < columns.length; ++i) {
      low = Math.min(low, columns[i][0]);
      high = Math.max(high, columns[i][1]);
    }
    if (from >= columns.length) break;
    const top = middle - high * half, bottom = middle - low * half;
    g.fillRect(x, top, 1, Math.max(1, bottom - top));
  }
  document.body.dataset.waveform = width;
}

function drawBeats(g, width, height, flags) {
  const beat = beatSeconds();
  if (beat <= 0 || length() / beat > width) return;
  const bar = state.tempo.beatsPerBar || 4;
  const first = Math.ceil(-state.tempo.offset / beat);
  for (let n = first; state.tempo.offset + n * beat <= length(); ++n) {
    const x = Math.round(xAtTime(state.tempo.offset + n * beat, width));
    g.fillStyle = n % bar === 0 ? "rgba(255, 255, 255, 0.45)" : "rgba(255, 255, 255, 0.15)";
    g.fillRect(x, flags, 1, height - flags);
  }
}

function drawMarkers(g, width, height, flags, ratio) {
  if (!state) return;
  g.font = (11 * ratio) + "px sans-serif";
  for (const marker of state.markers || []) {
    const t = drag && drag.marker === marker.name ? drag.time : marker.time;
    const x = Math.round(xAtTime(t, width));
    g.fillStyle = "#f0c040";
    g.fillRect(x, 0, ratio, height);
    g.fillRect(x, 0, g.measureText(marker.name).width + 8 * ratio, flags - 2 * ratio);
    g.fillStyle = "#111";
    g.fillText(marker.name, x + 4 * ratio, flags - 6 * ratio);
  }
}

function drawClock() {
  document.getElementById("clock").textContent =
    nowTime().toFixed(3) + " / " + length().toFixed(3) + " s";
}

function drawFrameTimes() {
  const g = framesGraph.getContext("2d"), w = framesGraph.width, h = framesGraph.height;
  g.clearRect(0, 0, w, h);
  const times = (state && state.frameTimes) || [];
  const most = Math.max(33.4, ...times);
  g.fillStyle = "rgba(255, 255, 255, 0.2)";
  g.fillRect(0, h - 16.7 / most * h, w, 1);  // 60 frames a second
  g.fillStyle = "#6cf";
  const bar = w / Math.max(times.length, 1);
  times.forEach((ms, i) => g.fillRect(i * bar, h - ms / most * h, Math.max(1, bar - 1), ms / most * h));
}

// ---- What the state shows apart from the canvas

function cell(row, content) {
  const td = row.insertCell();
  if (content instanceof Node) td.appendChild(content); else td.textContent = content;
  return td;
}

function button(text, line, name) {
  const b = document.createElement("button");
  b.textContent = text;
  if (name) b.className = name;
  b.addEventListener("click", () => send(typeof line === "function" ? line() : line));
  return b;
}

function showMarkers() {
  const body = document.querySelector("#markers tbody");
  const markers = state.markers || [];
  const shown = JSON.stringify(markers);
  // Rows are made again only when the markers change, so that a field being
  // edited is not taken from under the author's hand.
  if (body.dataset.shown === shown) return;
  body.dataset.shown = shown;
  body.textContent = "";
  for (const marker of markers) {
    const row = body.insertRow();
    row.dataset.marker = marker.name;
    const name = document.createElement("input");
    name.value = marker.name;
    name.className = "marker-name";
    name.addEventListener("change", () => send("marker rename " + marker.name + " " + name.value));
    const time = document.createElement("input");
    time.type = "number";
    time.step = "any";
    time.min = "0";
    time.value = marker.time.toFixed(3);
    time.className = "marker-time";
    time.addEventListener("change", () => send("marker move " + marker.name + " " + seconds(+time.value)));
    cell(row, name);
    cell(row, time);
    cell(row, button("jump", "marker jump " + marker.name, "marker-jump"));
    cell(row, button("delete", "marker delete " + marker.name, "marker-delete"));
  }
}

function showPacks() {
  const body = document.querySelector("#packs tbody");
  body.textContent = "";
  for (const pack of state.packs || []) {
    const row = body.insertRow();
    cell(row, pack.name);
    cell(row, "version " + pack.version);
    cell(row, pack.state).className = "pack-" + pack.state;
  }
}

function showSwitches() {
  document.getElementById("play").textContent = state.playing ? "pause" : "play";
  for (const b of document.querySelectorAll("[data-speed]")) b.classList.toggle("on", +b.dataset.speed === state.speed);
  for (const b of document.querySelectorAll("[data-snap]")) b.classList.toggle("on", b.dataset.snap === state.snap);
  for (const b of document.querySelectorAll("[data-end]")) b.classList.toggle("on", b.dataset.end === state.end);
  const form = document.getElementById("tempo");
  if (state.tempo && !form.contains(document.activeElement)) {
    form.bpm.value = state.tempo.bpm;
    form.offset.value = state.tempo.offset;
    form.beats.value = state.tempo.beatsPerBar;
  }
  const error = document.getElementById("error");
  if (error.textContent !== (state.lastError || "")) error.textContent = state.lastError || "";
}

function take(next) {
  state = next;
  stateAt = performance.now();
  document.body.dataset.time = state.time;
  showSwitches();
  showMarkers();
  showPacks();
  drawFrameTimes();
  window.timelineState = state;
  window.dispatchEvent(new CustomEvent("timeline-state", {detail: state}));
}

// ---- The author's hand

function markerAt(x) {
  if (!state) return null;
  for (const marker of state.markers || []) {
    if (Math.abs(xAtTime(marker.time, timeline.clientWidth) - x) <= 6) return marker.name;
  }
  return null;
}

timeline.addEventListener("pointerdown", e => {
  const x = e.offsetX;
  const marker = e.offsetY <= 18 ? markerAt(x) : null;
  drag = {x, lastX: x, moved: false, marker, time: timeAtX(x)};
  timeline.setPointerCapture(e.pointerId);
});

timeline.addEventListener("pointermove", e => {
  if (!drag) return;
  drag.lastX = e.offsetX;
  if (Math.abs(drag.lastX - drag.x) > 3) drag.moved = true;
  if (drag.marker) drag.time = snapped(timeAtX(drag.lastX));
});

timeline.addEventListener("pointerup", e => {
  if (!drag) return;
  const done = drag;
  drag = null;
  done.lastX = e.offsetX;
  if (done.marker) {
    if (done.moved) send("marker move " + done.marker + " " + seconds(snapped(timeAtX(done.lastX))));
    else send("marker jump " + done.marker);
  } else if (!done.moved) {
    send("seek " + seconds(snapped(timeAtX(done.x))));
  } else {
    const a = snapped(timeAtX(Math.min(done.x, done.lastX))), b = snapped(timeAtX(Math.max(done.x, done.lastX)));
    if (b > a) send("loop " + seconds(a) + " " + seconds(b));
  }
});

document.getElementById("play").addEventListener("click", () => send(state && state.playing ? "pause" : "play"));
document.getElementById("step-back").addEventListener("click", () => send("step -1"));
document.getElementById("step-forward").addEventListener("click", () => send("step 1"));
document.getElementById("loop-off").addEventListener("click", () => send("loop off"));
for (const b of document.querySelectorAll("[data-speed]")) b.addEventListener("click", () => send("speed " + b.dataset.speed));
for (const b of document.querySelectorAll("[data-snap]")) b.addEventListener("click", () => send("snap " + b.dataset.snap));
for (const b of document.querySelectorAll("[data-end]")) b.addEventListener("click", () => send("end " + b.dataset.end));

document.getElementById("tempo").addEventListener("submit", e => {
  e.preventDefault();
  const form = e.target;
  send("tempo " + form.bpm.value + " " + form.offset.value + " " + form.beats.value);
});
document.getElementById("tempo-off").addEventListener("click", () => send("tempo off"));
document.getElementById("marker-add").addEventListener("submit", e => {
  e.preventDefault();
  send("marker add " + seconds(nowTime()) + " " + e.target.name.value);
  e.target.name.value = "";
});

// ---- The session's state, as it changes

function listen() {
  const connection = document.getElementById("connection");
  const events = new EventSource("events");
  events.onopen = () => {
    connection.textContent = "live";
    connection.className = "up";
  };
  events.onmessage = message => take(JSON.parse(message.data));
  // The browser connects again by itself, for example after the session
  // has started again.
  events.onerror = () => {
    connection.textContent = "no session";
    connection.className = "down";
  };
}

fetch("peaks").then(r => r.json()).then(p => {
  peaks = p;
  document.body.dataset.peaks = p.peaks.length;
});
listen();
requestAnimationFrame(draw);
