"""Figures of the real program from what bench/program/run-sessions left: the
frame probe's records (probe.txt) and what the driver saw (session.txt)."""
import decimal
import os

from stats import quantile

NS_PER_MS = 1e6
SECOND = 1000000000


def read_probe(path):
    """The probe's record: swap times, audio buffers (time, music frames
    played before it, frames), the time the program's callback took for each
    buffer, and single values, in monotonic nanoseconds."""
    record = {"swaps": [], "buffers": [], "callbacks": []}
    with open(path) as f:
        for line in f:
            key, *values = line.split()
            if key == "swap":
                record["swaps"].append(int(values[0]))
            elif key == "callback":
                record["callbacks"].append(int(values[0]))
            elif key == "buffer":
                record["buffers"].append(tuple(int(v) for v in values))
            elif key == "request":
                record["request"] = int(values[0])
                record["request_kind"] = values[1] if len(values) > 1 else ""
            else:
                record[key] = int(values[0])
    return record


def read_session(folder):
    """The probe's record of one session, with the driver's wall-clock times
    turned into the probe's monotonic nanoseconds; None when the session
    failed."""
    try:
        record = read_probe(os.path.join(folder, "probe.txt"))
        with open(os.path.join(folder, "session.txt")) as f:
            seen = dict(line.split() for line in f if line.strip())
    except (OSError, ValueError):
        return None
    if seen.get("status") != "0":
        return None
    for key in ("ok_pressed", "request_sent", "ended"):
        record[key] = int(decimal.Decimal(seen[key]) * SECOND) - record["realtime_offset"]
    return record


def first_frame_ms(record):
    """From OK on the setup dialog to the first frame presented after the
    demo's time started."""
    zero = record.get("timer_zero", 0)
    frames = [s for s in record["swaps"] if zero and s > zero]
    return (frames[0] - record["ok_pressed"]) / NS_PER_MS if frames else None


def exit_ms(record):
    """From the program taking the request off its event queue to the end of
    the process, less the time the probe took to write its record."""
    if not record.get("request"):
        return None
    return (record["ended"] - record["request"] - record.get("record_write", 0)) / NS_PER_MS


def frame_times_ms(swaps, start, end):
    """The times between frames presented from `start` to `end`."""
    inside = [s for s in swaps if start <= s <= end]
    return [(b - a) / NS_PER_MS for a, b in zip(inside, inside[1:])]


def frame_statistics(swaps, start, seconds=20, parts=4):
    """Median, 99th percentile and worst frame time over `seconds` from
    `start`, each with the range of that statistic over the window's equal
    parts as its spread: {name: (value, spread)}."""
    end = start + seconds * SECOND
    whole = frame_times_ms(swaps, start, end)
    if len(whole) < 100:
        return None
    step = (end - start) // parts
    pieces = [frame_times_ms(swaps, start + i * step, start + (i + 1) * step) for i in range(parts)]
    measures = {"median": lambda v: quantile(v, 0.5), "p99": lambda v: quantile(v, 0.99),
                "worst": max}
    result = {}
    for name, measure in measures.items():
        each = [measure(p) for p in pieces if p]
        result[name] = (measure(whole), max(each) - min(each))
    return result


def music_against_picture(record, after_seconds=60):
    """The demo's time minus the music's position actually played, in ms: at
    the first buffer of music, at the device's buffer nearest to
    `after_seconds` of demo time, and its range over the second around that;
    with the length of that buffer in ms. (start, after, range, buffer ms), or
    None. A buffer plays from when the device takes it; the demo's time is the
    time since its timer's reset."""
    zero, rate = record.get("timer_zero"), record.get("audio_rate")
    buffers = record["buffers"]
    if not zero or not rate or not record.get("music_counted"):
        return None
    music = [(t, before, frames) for t, before, frames in buffers if t >= zero]

    def drift(buffer):
        t, before, _ = buffer
        return ((t - zero) - before * SECOND / rate) / NS_PER_MS

    started = [b for b, after in zip(music, music[1:]) if after[1] > b[1]]
    target = zero + after_seconds * SECOND
    if not started or not music or music[-1][0] < target:
        return None
    nearest = min(music, key=lambda b: abs(b[0] - target))
    around = [drift(b) for b in music if abs(b[0] - target) <= SECOND // 2]
    return (drift(started[0]), drift(nearest), max(around) - min(around),
            nearest[2] * 1000.0 / rate)


def callback_times(record):
    """How long the program's audio callback took, in ms: (worst, 99.9th
    percentile, the budget: one buffer's length), or None."""
    took, buffers, rate = record.get("callbacks"), record["buffers"], record.get("audio_rate")
    if not took or not buffers or not rate:
        return None
    took = sorted(t / NS_PER_MS for t in took)
    return took[-1], quantile(took, 0.999), buffers[-1][2] * 1000.0 / rate


def read_latency(path, realtime_offset):
    """The sound server's latency samples for the program's stream (written by
    tests/audio/music-gaps.sh): (monotonic ns, total latency in ms)."""
    samples = []
    with open(path) as f:
        for line in f:
            fields = line.split()
            if len(fields) == 3:
                samples.append((int(fields[0]) - realtime_offset,
                                (int(fields[1]) + int(fields[2])) / 1000.0))
    return samples


def heard_music_against_picture(record, latency, after_seconds):
    """The demo's time minus the music's position heard through the sound
    server, in ms: the offset at the device's buffer nearest `after_seconds`
    plus the server's latency then (the median of its samples over the ten
    seconds around it). (offset heard, offset at the device, latency), or
    None."""
    music = music_against_picture(record, after_seconds)
    zero = record.get("timer_zero")
    if music is None or not latency:
        return None
    target = zero + after_seconds * SECOND
    around = [ms for t, ms in latency if abs(t - target) <= 5 * SECOND]
    if not around:
        return None
    server = quantile(sorted(around), 0.5)
    return music[1] + server, music[1], server
