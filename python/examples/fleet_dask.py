#!/usr/bin/python3
"""Parses a folder of device configurations on a Dask cluster and summarises the fleet: per
device, its host name, its record count and every interface with its VLAN and addresses.

    fleet_dask.py CONFIG_DIR                          # a LocalCluster on this machine
    fleet_dask.py CONFIG_DIR --scheduler tcp://scheduler:8786
    fleet_dask.py CONFIG_DIR --json                   # the summary as JSON

Workers import quillset; each task parses a batch of files and returns plain data, so nothing but file names and summaries crosses the network; the files
must be readable at the same path on every worker.
"""
import argparse
import json
import pathlib
import sys

import quillset


def interface_summary(interface):
    """The VLAN (an access VLAN, or a sub-interface's tag) and the addresses with masks
    among an interface's sub-commands."""
    vlan = None
    addresses = []
    for child in interface.children:
        if "vlan" in child:
            vlan = child["vlan"]
        if child.get("address") and child.get("mask"):
            addresses.append(f"{child['address']}/{child['mask']}")
    return {"name": interface["name"], "vlan": vlan, "addresses": addresses}


def device_summary(store):
    """What the fleet report says about one device, as plain data."""
    hostnames = store.records("Hostname")
    return {
        "hostname": hostnames[0]["name"] if hostnames else None,
        "records": len(store),
        "interfaces": [interface_summary(i) for i in store.records("Interface")],
    }


def parse_batch(paths):
    """A Dask task: parses files on the worker's threads; {path: summary or error text}."""
    syntax = quillset.Syntax()
    results = {}
    for path in paths:
        try:
            results[path] = device_summary(syntax.parse(pathlib.Path(path)))
        except quillset.Error as error:
            results[path] = {"error": str(error)}
    return results


def configuration_files(folder):
    return sorted(str(path) for path in pathlib.Path(folder).rglob("*") if path.is_file())


def summarise_fleet(client, folder, batch_size=16):
    """{path: device summary} for every file under `folder`, parsed on the client's cluster."""
    files = configuration_files(folder)
    batches = [files[i:i + batch_size] for i in range(0, len(files), batch_size)]
    summary = {}
    for result in client.gather(client.map(parse_batch, batches)):
        summary.update(result)
    return summary


def print_report(summary, out):
    for path, device in summary.items():
        if "error" in device:
            print(f"{path}: {device['error']}", file=out)
            continue
        print(f"{path}: {device['hostname']} ({device['records']} records)", file=out)
        for interface in device["interfaces"]:
            vlan = f"vlan {interface['vlan']}" if interface["vlan"] else "-"
            print(f"  {interface['name']:<28} {vlan:<10} {' '.join(interface['addresses'])}", file=out)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", help="folder of configurations (searched recursively)")
    parser.add_argument("--scheduler", metavar="ADDRESS", help="an existing Dask scheduler (default: a LocalCluster)")
    parser.add_argument("--workers", type=int, default=2, help="LocalCluster workers (default 2)")
    parser.add_argument("--batch-size", type=int, default=16, help="files per task (default 16)")
    parser.add_argument("--json", action="store_true", help="print the summary as JSON")
    args = parser.parse_args(argv)

    from dask.distributed import Client, LocalCluster

    if args.scheduler:
        client = Client(args.scheduler)
        cluster = None
    else:
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1, dashboard_address=None)
        client = Client(cluster)
    try:
        summary = summarise_fleet(client, args.folder, args.batch_size)
    finally:
        client.close()
        if cluster is not None:
            cluster.close()
    if args.json:
        json.dump(summary, sys.stdout, indent=1)
        print()
    else:
        print_report(summary, sys.stdout)
    return 1 if any("error" in device for device in summary.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
