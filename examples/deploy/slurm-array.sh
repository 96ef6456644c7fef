#!/bin/bash
# One night's voice LAF report spread over a Slurm job array of 4 tasks
# (docs/deploy.md): sbatch examples/deploy/slurm-array.sh
# Each task runs slice K of 4 (K = SLURM_ARRAY_TASK_ID - SLURM_ARRAY_TASK_MIN
# + 1) into the array job's own folder on a shared file system, keeping the
# journal voice_laf.shard-K-of-4.journal there. A task that is requeued (by
# Slurm after a node failure, or by `scontrol requeue JOBID_TASK`) resumes
# where its journal says.
#SBATCH --job-name=voice-laf
#SBATCH --array=1-4
#SBATCH --cpus-per-task=2
#SBATCH --mem=256M
#SBATCH --time=04:00:00
#SBATCH --requeue
#SBATCH --output=voice-laf-%A_%a.log
set -euo pipefail

# The URI names no password: libpq reads it from ~/.pgpass (mode 0600).
db=${TARNEL_DB_URI:-postgresql://tarnel_report@dbhost/network}
examples=${TARNEL_EXAMPLES:-/usr/share/tarnel-report/examples}
out=${TARNEL_OUT:-/shared/reports/voice-laf-$SLURM_ARRAY_JOB_ID}

mkdir -p "$out"
exec tarnel-report batch --db "$db" \
  --config "$examples/reports/laf/voice_laf.xml" --queries "$examples/queries/common.xml" \
  --class TarnelLAFReport --instances all -j "${SLURM_CPUS_PER_TASK:-1}" \
  --shard auto --resume --out "$out"
