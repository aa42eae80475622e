SELECT [floor area], [rooms], [age], (([KestriumNet] + 1.0) / 2.0 * (950000.0 - 45000.0) + 45000.0) AS [Kestrium_price]
FROM (SELECT [floor area], [rooms], [age], ((IIf([KestriumHidden1] > 20, 1.0, IIf([KestriumHidden1] < -20, -1.0, (Exp([KestriumHidden1]) - Exp(-[KestriumHidden1])) / (Exp([KestriumHidden1]) + Exp(-[KestriumHidden1]))))) * 0.5769 + (IIf([KestriumHidden2] > 20, 1.0, IIf([KestriumHidden2] < -20, -1.0, (Exp([KestriumHidden2]) - Exp(-[KestriumHidden2])) / (Exp([KestriumHidden2]) + Exp(-[KestriumHidden2]))))) * 0.3957 + [KestriumHidden3] * 0.2872 + (IIf([KestriumHidden4] > 20, 1.0, IIf([KestriumHidden4] < -20, -1.0, (Exp([KestriumHidden4]) - Exp(-[KestriumHidden4])) / (Exp([KestriumHidden4]) + Exp(-[KestriumHidden4]))))) * 0.0313 + 0.4522) AS [KestriumNet]
FROM (SELECT [floor area], [rooms], [age],
  ((-0.6798) * [KestriumScaled1] + 0.5826 * [KestriumScaled2] + (-0.5939) * [KestriumScaled3] + (-0.0886)) AS [KestriumHidden1],
  ((-0.129) * [KestriumScaled1] + (-0.4418) * [KestriumScaled2] + 0.1756 * [KestriumScaled3] + 0.5614) AS [KestriumHidden2],
  ((-0.6682) * [KestriumScaled1] + 0.034 * [KestriumScaled2] + 0.2624 * [KestriumScaled3] + (-0.2335)) AS [KestriumHidden3],
  (0.191 * [KestriumScaled1] + 0.4509 * [KestriumScaled2] + (-0.5022) * [KestriumScaled3] + (-0.3797)) AS [KestriumHidden4]
FROM (SELECT [floor area], [rooms], [age],
  ((([floor area] - 40.0) / (320.0 - 40.0) - 0.5) * 2.0) AS [KestriumScaled1],
  ((([rooms] - 1.0) / (9.0 - 1.0) - 0.5) * 2.0) AS [KestriumScaled2],
  ((([age] - 0.0) / (120.0 - 0.0) - 0.5) * 2.0) AS [KestriumScaled3]
FROM [TableName]) AS q1) AS q2) AS q3;