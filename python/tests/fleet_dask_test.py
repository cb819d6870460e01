"""The Dask fleet example on a LocalCluster with two workers, and through --scheduler,
against a single-process parse of the same files. Run apart from the module's tests (it
starts clusters): python3 -m unittest fleet_dask_test."""
import contextlib
import io
import json
import os
import pathlib
import shutil
import sys
import tempfile
import unittest

import quillset
from helpers import ROUTER_CFG, SOURCE_DIR, corpus_files

EXAMPLES = SOURCE_DIR / "python" / "examples"
# Worker processes unpickle the example's task function by importing the example.
os.environ["PYTHONPATH"] = os.pathsep.join(filter(None, [str(EXAMPLES), os.environ.get("PYTHONPATH")]))
sys.path.insert(0, str(EXAMPLES))
import fleet_dask  # noqa: E402


class FleetOnDask(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = pathlib.Path(tempfile.mkdtemp())
        files = corpus_files() or [ROUTER_CFG] * 3
        for i, path in enumerate(files):
            shutil.copy(path, cls.folder / f"{i:03}-{path.name}")
        (cls.folder / "nested").mkdir()
        shutil.copy(ROUTER_CFG, cls.folder / "nested" / "router.cfg")
        syntax = quillset.Syntax()
        cls.expected = {path: fleet_dask.device_summary(syntax.parse(pathlib.Path(path)))
                        for path in fleet_dask.configuration_files(cls.folder)}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def run_example(self, *options):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            status = fleet_dask.main([str(self.folder), "--json", "--batch-size", "5", *options])
        return status, json.loads(out.getvalue())

    def test_local_cluster_gives_the_single_process_summary(self):
        status, summary = self.run_example("--workers", "2")
        self.assertEqual(status, 0)
        self.assertEqual(summary, self.expected)
        router = summary[str(self.folder / "nested" / "router.cfg")]
        self.assertEqual(router["hostname"], "edge-router")
        self.assertIn({"name": "FastEthernet0/0", "vlan": None, "addresses": ["198.51.100.2/255.255.255.252"]},
                      router["interfaces"])

    def test_existing_scheduler(self):
        from dask.distributed import LocalCluster

        with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster:
            status, summary = self.run_example("--scheduler", cluster.scheduler_address)
        self.assertEqual((status, summary), (0, self.expected))

    def test_a_failing_file_is_reported_and_the_others_complete(self):
        missing = str(self.folder / "missing.cfg")
        summary = fleet_dask.parse_batch([missing, str(ROUTER_CFG)])
        self.assertEqual(summary[missing], {"error": f"{missing}: cannot open: No such file or directory"})
        self.assertEqual(summary[str(ROUTER_CFG)]["hostname"], "edge-router")

if __name__ == "__main__":
    unittest.main()
