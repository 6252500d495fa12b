"""The real program's figures from synthetic probe records."""
import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.dirname(HERE)]
import figures  # noqa: E402
from figures import SECOND  # noqa: E402

MS = SECOND // 1000


class ProgramFigures(unittest.TestCase):
    def test_frame_times_in_the_window_with_their_spread_over_quarters(self):
        # 4 ms frames, one 40 ms frame in the third quarter.
        swaps, t = [], 0
        while t < 30 * SECOND:
            swaps.append(t)
            t += 40 * MS if len(swaps) == 3000 else 4 * MS
        found = figures.frame_statistics(swaps, 5 * SECOND)
        self.assertAlmostEqual(found["median"][0], 4.0)
        self.assertAlmostEqual(found["median"][1], 0.0)
        self.assertAlmostEqual(found["worst"][0], 40.0)
        self.assertAlmostEqual(found["worst"][1], 36.0)

    def test_the_frame_time_rounds_are_compared_with_the_frame_rate_rounds(self):
        # The program at 2 ms a frame, the bare loop at 1 ms, in two rounds.
        import table

        def swaps(step):
            return list(range(0, 25 * SECOND, step))
        sessions = {"frames-%d" % n: {"swaps": swaps(2 * MS), "timer_zero": 0} for n in (1, 2)}
        bare = {"bare-%d" % n: swaps(MS) for n in (1, 2)}
        original = figures.read_probe
        figures.read_probe = lambda path: {"swaps": bare[os.path.basename(os.path.dirname(path))]}
        try:
            def row(percent):
                pairs = [{"demo": {"fps": percent}, "bare": {"fps": 100.0}}]
                return table.frame_times("folder", sessions, pairs)
            agreeing, differing = row(50.0), row(99.0)
        finally:
            figures.read_probe = original
        self.assertIn("bare / program: 50.0%", agreeing.cells[3])
        self.assertIn("they agree", agreeing.cells[3])
        self.assertIn("they differ", differing.cells[3])
        self.assertAlmostEqual(agreeing.figures["program_frame_median_ms"]["value"], 2.0)

    def test_music_against_picture_follows_the_device_and_its_first_buffer(self):
        # The timer starts at 1 s; music enters the buffer taken 10 ms later,
        # and the device then consumes 1% slower than the clock.
        rate, frames, zero = 44100, 1024, SECOND
        start = zero + 10 * MS
        buffers = [(zero - 5 * MS, 0, frames)]
        taken = 0
        while taken < 62 * rate:
            buffers.append((start + int(taken / rate * 1.01 * SECOND), taken, frames))
            taken += frames
        record = {"timer_zero": zero, "audio_rate": rate, "music_counted": 1, "buffers": buffers}
        at_start, after, jitter, buffer_ms = figures.music_against_picture(record)
        self.assertAlmostEqual(at_start, 10.0, places=3)
        # At 60 s of demo time the device has played (60 s - 10 ms) / 1.01.
        self.assertAlmostEqual(after, 10.0 + (60000.0 - 10.0) * 0.01 / 1.01, delta=0.2)
        self.assertAlmostEqual(buffer_ms, 1000.0 * frames / rate)
        self.assertAlmostEqual(jitter, 1000.0 * 0.01 / 1.01, delta=0.3)  # over 1 s
        self.assertIsNone(figures.music_against_picture(dict(record, music_counted=0)))

    def test_music_heard_adds_the_servers_latency_near_that_moment(self):
        rate, frames, zero, offset = 44100, 512, SECOND, 5000 * SECOND
        buffers = [(zero + int(n * frames / rate * SECOND), (n - 1) * frames, frames)
                   for n in range(1, 60 * rate // frames)]
        record = {"timer_zero": zero, "audio_rate": rate, "music_counted": 1, "buffers": buffers,
                  "realtime_offset": offset, "callbacks": [100000, 3000000, 200000]}
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        path = os.path.join(folder.name, "latency.txt")
        with open(path, "w") as f:
            # The sink's latency is wild just after the start: far from 55 s.
            f.write("%d 66507 843867\n" % (offset + zero + SECOND))
            for second in range(50, 60):
                f.write("%d 66507 %d\n" % (offset + zero + second * SECOND, 5000 + 100 * second))
        latency = figures.read_latency(path, offset)
        heard, device, server = figures.heard_music_against_picture(record, latency, 55)
        self.assertAlmostEqual(device, 1000.0 * frames / rate, delta=0.01)
        self.assertAlmostEqual(server, 66.507 + 10.45, delta=0.06)
        self.assertAlmostEqual(heard, device + server)
        worst, _, budget = figures.callback_times(record)
        self.assertEqual((worst, round(budget, 1)), (3.0, 11.6))

    def test_start_and_end_times_from_the_drivers_stamps(self):
        record = {"timer_zero": 100, "swaps": [50, 120, 130], "ok_pressed": 20,
                  "request": 1000, "ended": 1000 + 80 * MS + 5, "record_write": 5}
        self.assertEqual(figures.first_frame_ms(record), 100 / 1e6)
        self.assertAlmostEqual(figures.exit_ms(record), 80.0)


if __name__ == "__main__":
    unittest.main()
