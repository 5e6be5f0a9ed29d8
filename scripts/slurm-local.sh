#!/usr/bin/env bash
# A one-node Slurm cluster on this machine, for trying the study job array
# (examples/studies/study-array.sbatch) before it goes to a real cluster.
#
#   scripts/slurm-local.sh start [DIR]   installs slurm-wlm and munge when missing,
#                                        writes a minimal configuration into DIR
#                                        (default /tmp/torvik-slurm) and starts
#                                        munged, slurmctld and slurmd on localhost
#   scripts/slurm-local.sh stop [DIR]    stops them
#
# After start, `export SLURM_CONF=DIR/slurm.conf` lets sbatch, squeue and sinfo
# reach the cluster. Needs root (the daemons run as root here).
set -euo pipefail
action="${1:-start}"
dir="$(realpath -m "${2:-/tmp/torvik-slurm}")"

install_missing() {
  local missing=()
  for p in slurm-wlm munge; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

write_config() {
  mkdir -p "$dir/state" "$dir/spool" "$dir/munge"
  local host cpus
  host="$(hostname -s)"
  cpus="$(nproc)"
  cat >"$dir/slurm.conf" <<CONF
ClusterName=torvik-local
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MpiDefault=none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
NodeName=$host CPUs=$cpus State=UNKNOWN
PartitionName=local Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
}

start_munge() {
  [[ -s /etc/munge/munge.key ]] || { mkdir -p /etc/munge; dd if=/dev/urandom bs=1024 count=1 of=/etc/munge/munge.key 2>/dev/null; }
  chmod 400 /etc/munge/munge.key
  mkdir -p /run/munge /var/log/munge /var/lib/munge
  pgrep -x munged >/dev/null || munged --force
}

case "$action" in
  start)
    install_missing
    write_config
    start_munge
    pgrep -x slurmctld >/dev/null || slurmctld -f "$dir/slurm.conf"
    pgrep -x slurmd >/dev/null || slurmd -f "$dir/slurm.conf"
    export SLURM_CONF="$dir/slurm.conf"
    for _ in $(seq 30); do
      sinfo -h -o %T 2>/dev/null | grep -qE '^(idle|mixed|allocated)' && break
      sleep 1
    done
    sinfo
    echo "export SLURM_CONF=$dir/slurm.conf"
    ;;
  stop)
    pkill -x slurmd || true
    pkill -x slurmctld || true
    ;;
  *)
    echo "usage: $0 start|stop [DIR]" >&2
    exit 2
    ;;
esac
